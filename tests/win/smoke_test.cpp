#include <windows.h>
#include <gtest/gtest.h>

TEST(Smoke, StringTableLoads)
{
    wchar_t text[256];
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), 2, text, 256), 0);
}
