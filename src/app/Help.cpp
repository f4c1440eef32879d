// The HTML Help control is an optional part of the platform; the program keeps working
// without it.
#include "app/Help.h"

#include <string>

#include "app/KelvaraApp.h"
#include "platform/WideText.h"

namespace {

using HtmlHelpFunction = HelpViewer;

HelpViewer replacementViewer = nullptr;

constexpr UINT HH_DISPLAY_TOPIC_ = 0x0000;
constexpr UINT HH_DISPLAY_TOC_ = 0x0001;
constexpr UINT HH_INITIALIZE_ = 0x001C;
constexpr UINT HH_UNINITIALIZE_ = 0x001D;
constexpr UINT HH_PRETRANSLATEMESSAGE_ = 0x00FD;

constexpr size_t kMaxHelpTopicBytes = 1023;

HtmlHelpFunction HtmlHelp()
{
    if (replacementViewer) return replacementViewer;
    static HtmlHelpFunction function = [] {
        HMODULE module = LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return module ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

HelpViewer SetHelpViewer(HelpViewer viewer)
{
    HelpViewer previous = replacementViewer;
    replacementViewer = viewer;
    return previous;
}

DWORD_PTR InitializeHelp()
{
    DWORD_PTR cookie = 0;
    if (HtmlHelpFunction help = HtmlHelp())
        help(nullptr, nullptr, HH_INITIALIZE_, reinterpret_cast<DWORD_PTR>(&cookie));
    return cookie;
}

void UninitializeHelp(DWORD_PTR cookie)
{
    if (cookie == 0) return;
    if (HtmlHelpFunction help = HtmlHelp()) help(nullptr, nullptr, HH_UNINITIALIZE_, cookie);
}

bool PreTranslateHelpMessage(MSG* message)
{
    HtmlHelpFunction help = HtmlHelp();
    return help && help(nullptr, nullptr, HH_PRETRANSLATEMESSAGE_, reinterpret_cast<DWORD_PTR>(message)) != nullptr;
}

HWND ShowHelp(HWND owner)
{
    HtmlHelpFunction help = HtmlHelp();
    if (!help || theApp.helpFilePath[0] == '\0') return nullptr;
    return help(owner, WideFromInternal(theApp.helpFilePath).c_str(), HH_DISPLAY_TOPIC_, 0);
}

HWND ShowHelpPage(HWND owner, const char* page)
{
    HtmlHelpFunction help = HtmlHelp();
    if (!help || theApp.helpFilePath[0] == '\0') return nullptr;
    std::string target = std::string(theApp.helpFilePath) + "::" + (page ? page : "");
    // A topic cut short would name another page, or split a character.
    if (target.size() > kMaxHelpTopicBytes) return nullptr;
    return help(owner, WideFromInternal(target).c_str(), HH_DISPLAY_TOC_, 0);
}
