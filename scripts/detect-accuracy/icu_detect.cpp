// ICU's charset detector on each file named on standard input, one per line: prints the
// name of its best match (or "none") per line, in the same order.
#include <unicode/ucsdet.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main()
{
    UErrorCode status = U_ZERO_ERROR;
    UCharsetDetector* detector = ucsdet_open(&status);
    if (U_FAILURE(status)) return 1;
    std::string path;
    while (std::getline(std::cin, path)) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        status = U_ZERO_ERROR;
        ucsdet_setText(detector, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
        const UCharsetMatch* match = ucsdet_detect(detector, &status);
        const char* name = U_SUCCESS(status) && match ? ucsdet_getName(match, &status) : nullptr;
        std::cout << (U_SUCCESS(status) && name ? name : "none") << '\n';
    }
    ucsdet_close(detector);
    return 0;
}
