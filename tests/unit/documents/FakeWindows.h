// Fake windows for the documents' tests: views that keep their text in memory, a bar and
// a main window that count what they were told, questions answered from a script; and a
// documents subsystem on them with real files in a fresh folder and a settings file of
// its own, for the tests of opening, saving and closing.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "../support/TempFolder.h"
#include "config/ProfileFile.h"
#include "documents/DocumentList.h"
#include "documents/DocumentsState.h"
#include "documents/OpenFile.h"
#include "documents/SaveDocuments.h"
#include "encoding/FileText.h"
#include "files/FileAccess.h"

struct FakeView {
    std::string text;
    bool shown = true;
    bool editable = true;
    int saves = 0;  // times the view was told its text is now its file's
    bool attached = false;
    int caretLine = 1;
    int lineEnding = 0;  // set when a save wrote another
};

struct FakeWindows {
    std::map<int, FakeView> views;
    int viewCount = 1;
    bool refuseViews = false;
    int tabChanges = 0, repaints = 0, activations = 0;
    std::vector<int> messages;     // string-table numbers shown
    std::vector<std::string> asked;  // names in the question about unsaved changes
    std::vector<int> shownWhenAsked;  // the view on screen at each of those questions
    std::deque<int> answers;         // answers to questions, in order; Cancel when empty
    std::deque<std::string> savePaths, openPaths;  // file dialog answers; empty: cancelled
    int saveDialogs = 0;
    void (*saveDialogChoice)(SaveOffer& offer) = nullptr;  // what the user does in the Save As dialog
    SaveOffer* offer = nullptr;
    std::vector<std::pair<int, std::string>> fileTypes;  // view and path of each file-type lookup

    explicit FakeWindows(DocumentsState& documents)
    {
        documents.callbacks.context = this;
        documents.callbacks.applyFileType = [](void* c, int view, const std::string& path) {
            Self(c).fileTypes.emplace_back(view, path);
        };
        views[0].attached = true;
        DocumentsHost& host = documents.host;
        host.context = this;
        host.createView = [](void* c, int slot) {
            auto& w = Self(c);
            if (w.refuseViews || slot >= w.viewCount || w.views.count(slot)) return false;
            w.views[slot] = FakeView{};
            return true;
        };
        host.attachView = [](void* c, int slot, std::uintptr_t* saved) {
            Self(c).views[slot].attached = true;
            *saved = 0x1000u + static_cast<unsigned>(slot);
        };
        host.destroyView = [](void* c, int slot) { Self(c).views.erase(slot); };
        host.setViewCount = [](void* c, int count) { Self(c).viewCount = count; };
        host.showView = [](void* c, int slot, bool shown) { Self(c).views[slot].shown = shown; };
        host.focusView = [](void*, int) {};
        host.setText = [](void* c, int slot, std::string&& text) {
            Self(c).views[slot].text = std::move(text);
            return true;
        };
        host.getText = [](void* c, int slot, int mode, std::string& text) {
            const std::string& own = Self(c).views[slot].text;
            text = mode >= 1 && mode <= 3 ? ConvertLineEndings(own, static_cast<LineEndingCode>(mode)) : own;
            return true;
        };
        host.setEditable = [](void* c, int slot, bool editable) { Self(c).views[slot].editable = editable; };
        host.setLineEnding = [](void* c, int slot, int ending) { Self(c).views[slot].lineEnding = ending; };
        offer = &documents.saveOffer;
        host.markSaved = [](void* c, int slot) { ++Self(c).views[slot].saves; };
        host.setCaret = [](void* c, int slot, int line, int) { Self(c).views[slot].caretLine = line; };
        host.caretLine = [](void* c, int slot) { return Self(c).views[slot].caretLine; };
        host.tabChanged = [](void* c) { ++Self(c).tabChanges; };
        host.activateMainWindow = [](void* c) { ++Self(c).activations; };
        host.repaintBar = [](void* c) { ++Self(c).repaints; };
        host.showMessage = [](void* c, int number, unsigned) {
            Self(c).messages.push_back(number);
            return Self(c).NextAnswer();
        };
        host.showNamedMessage = [](void* c, int number, unsigned, const std::string& name) {
            Self(c).messages.push_back(number);
            Self(c).asked.push_back(name);
            return Self(c).NextAnswer();
        };
        host.reloadText = [](void* c, int slot, std::string&& text) {
            Self(c).views[slot].text = std::move(text);
            return true;
        };
        host.askSaveChanges = [](void* c, const std::string& name) {
            Self(c).asked.push_back(name);
            Self(c).shownWhenAsked.push_back(Self(c).ShownView());
            return Self(c).NextAnswer();
        };
        host.chooseSaveFile = [](void* c, std::string& path) {
            ++Self(c).saveDialogs;
            if (Self(c).saveDialogChoice) Self(c).saveDialogChoice(*Self(c).offer);
            return Self(c).Take(Self(c).savePaths, path);
        };
        host.chooseOpenFile = [](void* c, std::string& path) { return Self(c).Take(Self(c).openPaths, path); };
    }

    // Which view is shown: the one current view, or -1 when none or several are.
    int ShownView() const
    {
        int shown = -1, count = 0;
        for (const auto& [slot, view] : views)
            if (view.shown) shown = slot, ++count;
        return count == 1 ? shown : -1;
    }

private:
    static FakeWindows& Self(void* context) { return *static_cast<FakeWindows*>(context); }
    int NextAnswer()
    {
        int answer = answers.empty() ? kAnswerCancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    bool Take(std::deque<std::string>& queue, std::string& path)
    {
        if (queue.empty()) return false;
        path = queue.front();
        queue.pop_front();
        return !path.empty();
    }
};

// The current slot and tab, the tab count and the view shown, e.g. "slot 2 tab 1 of 3, view 2".
inline std::string Where(const DocumentList& list, const FakeWindows& windows)
{
    return "slot " + std::to_string(list.currentSlot) + " tab " + std::to_string(list.currentTab) + " of " +
           std::to_string(list.tabCount) + ", view " + std::to_string(windows.ShownView());
}

struct OpenSaveFixture : testing::Test {
    TempFolder folder;
    ProfileFile settings{};
    DocumentsState documents;
    FakeWindows windows{documents};
    DocumentList& list = documents.list;

    void SetUp() override
    {
        // The defaults a first start writes for the keys the documents read.
        TempFolder::Write(folder.File("kvte.ini"),
                          "[main]\r\nauto_kanji=1\r\nFileWindowActive=1\r\nretline=4\r\nkanji=0\r\n"
                          "[tab]\r\nOnOpen=1\r\nOnDrag=1\r\nOnNew=0\r\n[notice]\r\nOnCloseAll=1\r\nOnEnd=0\r\n");
        ASSERT_TRUE(OpenProfile(settings, folder.File("kvte.ini").c_str(), "main"));
        documents.settings = &settings;
    }
    void TearDown() override { SetFileFaultsForTesting(FileFaultsForTesting{}); }

    void Set(const char* section, const char* key, int value)
    {
        SetSection(settings, section);
        WriteInt(settings, key, value);
    }
    int Setting(const char* section, const char* key)
    {
        SetSection(settings, section);
        return GetInt(settings, key);
    }
    std::string MakeFile(const std::string& name, const std::string& bytes)
    {
        std::string path = folder.File(name);
        TempFolder::Write(path, bytes);
        return path;
    }
    std::string ViewText(int slot) { return windows.views[slot].text; }
    int Open(const std::string& name, const std::string& bytes, int mode = kOpenModeNormal)
    {
        return OpenFile(documents, MakeFile(name, bytes), mode, true);
    }
};
