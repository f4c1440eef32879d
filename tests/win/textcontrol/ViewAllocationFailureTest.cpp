// The editing operations when memory runs out: the test program's allocator refuses every
// request from a given size on while a test arms it. No exception may leave an operation,
// and a line that could not be handed out whole has the length of what was handed out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "textcontrol/win32/EditControl.h"
#include "ViewTestSupport.h"

namespace {

// 0: every request is served.
size_t refuseFrom = 0;

void* Allocate(size_t size)
{
    if (refuseFrom != 0 && size >= refuseFrom) throw std::bad_alloc();
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return block;
}

struct RefuseLargeAllocations {
    explicit RefuseLargeAllocations(size_t from) { refuseFrom = from; }
    ~RefuseLargeAllocations() { refuseFrom = 0; }
};

std::string Line(int view, int line)
{
    const char* bytes = GetLineText(view, line);
    return std::string(bytes, static_cast<size_t>(GetLineLength(view, line)));
}

TEST(ViewAllocationFailure, ALineThatCannotBeCopiedIsHandedOutEmptyWithLengthZero)
{
    viewtest::ViewFixture fixture;
    int view = fixture.id();
    std::string inOneChunk(20000, 'a');     // lies inside one block of the text: only the copy allocates
    std::string acrossChunks(300000, 'b');  // spans blocks: joining it allocates as well
    ASSERT_NE(SetText(view, (inOneChunk + "\r\n" + acrossChunks + "\r\nend").c_str()), 0);
    {
        RefuseLargeAllocations refuse(10000);
        for (int line : {1, 2}) {
            const char* bytes = GetLineText(view, line);
            ASSERT_NE(bytes, nullptr);
            EXPECT_EQ(bytes[0], '\0') << line;
            EXPECT_EQ(GetLineLength(view, line), 0) << line;
        }
        EXPECT_EQ(Line(view, 3), "end");
        EXPECT_EQ(GetLineLength(view, 1), 20000) << "only the line last handed out reads short";
    }
    EXPECT_EQ(Line(view, 1), inOneChunk);
    EXPECT_EQ(Line(view, 2), acrossChunks);
}

TEST(ViewAllocationFailure, EditsThatRunOutOfMemoryLeaveTheTextAsItWas)
{
    viewtest::ViewFixture fixture;
    int view = fixture.id();
    ASSERT_NE(SetText(view, "keep"), 0);
    std::string large(200000, 'x');
    {
        RefuseLargeAllocations refuse(100000);
        InsertText(view, large.c_str());
        SetHighlightText(view, large.c_str(), 1, 1);
    }
    EXPECT_EQ(fixture.Text(), "keep");
    InsertText(view, "!");
    EXPECT_EQ(GetLineLength(view, 1), 5);
}

}  // namespace

// The program's allocator for the whole test executable; only the tests above arm it.
void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
void operator delete[](void* block, size_t) noexcept { std::free(block); }
