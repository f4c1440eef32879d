// A stand-in for the editing control and the message boxes that writes every call of the
// emphasis subsystem down as one line of text, in order, so a test compares the whole
// conversation at once; and a program folder of its own for one test: "kvte.ini", "esf"
// and "color" in a fresh temporary folder, with an emphasis state connected to the stand-in.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/TempFolder.h"
#include "config/ProfileFile.h"
#include "emphasis/ColourFile.h"
#include "emphasis/EmphasisState.h"

struct RecordingHost {
    std::vector<std::string> calls;
    int refuseFromEntry = -1;  // the n-th AddEmphasis (from 0) and later ones are refused
    int entries = 0;
    int fontSize = -1;  // what the font dialog answers
    std::string fontName;

    void Connect(EmphasisState& state)
    {
        EmphasisHost& host = state.host;
        host.context = this;
        host.addEmphasis = &AddEmphasis;
        host.clearEmphasis = [](void* self, int view, int redraw) {
            Log(self, "ClearEmphasis(" + std::to_string(view) + "," + std::to_string(redraw) + ")");
        };
        host.redrawView = [](void* self, int view) { Log(self, "RedrawView(" + std::to_string(view) + ")"); };
        host.setOption = [](void* self, int view, int option, int value, int redraw) {
            Log(self, "SetOption(" + Join({view, option, value, redraw}) + ")");
        };
        host.setFont = [](void* self, int view, const char* name, int size, int redraw) {
            Log(self, "SetFont(" + std::to_string(view) + "," + name + "," + Join({size, redraw}) + ")");
        };
        host.setViewColor = [](void* self, int view, int index, uint32_t colour, int redraw) {
            Log(self, "SetViewColor(" + Join({view, index, static_cast<long long>(colour), redraw}) + ")");
        };
        host.showMark = [](void* self, int view, int index, int shown, int redraw) {
            Log(self, "ShowMark(" + Join({view, index, shown, redraw}) + ")");
        };
        host.chooseFontDialog = [](void* self, int view, char* name) {
            auto* host = static_cast<RecordingHost*>(self);
            Log(self, "ChooseFontDialog(" + std::to_string(view) + ")");
            // As the dialog may: a name that fills the buffer comes without a terminator.
            std::memcpy(name, host->fontName.c_str(), std::min<std::size_t>(264, host->fontName.size() + 1));
            return host->fontSize;
        };
        host.showMessage = [](void* self, int number) { Log(self, "Message(" + std::to_string(number) + ")"); };
        host.showParseError = [](void* self, int number, int line, const char* file) {
            Log(self, "ParseError(" + std::to_string(number) + "," + std::to_string(line) + "," + file + ")");
        };
    }
    // The calls that start with prefix.
    std::vector<std::string> Only(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& call : calls)
            if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
        return found;
    }

    // The rest of the first call that starts with prefix, or "none".
    std::string After(const std::string& prefix) const
    {
        std::vector<std::string> found = Only(prefix);
        return found.empty() ? "none" : found[0].substr(prefix.size());
    }

private:
    static void Log(void* self, const std::string& call) { static_cast<RecordingHost*>(self)->calls.push_back(call); }
    static std::string Join(std::initializer_list<long long> values)
    {
        std::string text;
        for (long long value : values) text += (text.empty() ? "" : ",") + std::to_string(value);
        return text;
    }
    static int AddEmphasis(void* self, int view, const char* text, const char* endText, int kind, uint32_t colour,
                           int second, int colourNumber, int fourth)
    {
        auto* host = static_cast<RecordingHost*>(self);
        Log(self, "AddEmphasis(" + std::to_string(view) + "," + text + "," + (endText ? endText : "none") + "," +
                      Join({kind, static_cast<long long>(colour), second, colourNumber, fourth}) + ")");
        bool refused = host->refuseFromEntry >= 0 && host->entries >= host->refuseFromEntry;
        ++host->entries;
        return refused ? 0 : -1;
    }
};

struct EmphasisFixture : testing::Test {
    TempFolder folder;
    std::string programFolder = folder.Path() + "/";
    ProfileFile settings;
    EmphasisState state;
    RecordingHost host;

    EmphasisFixture()
    {
        std::filesystem::create_directory(folder.File("esf"));
        std::filesystem::create_directory(folder.File("color"));
        WriteSettings("[editor1]\r\nColorFile=test.ini\r\n");
        state.settings = &settings;
        state.programFolder = programFolder.c_str();
        host.Connect(state);
    }
    void WriteSettings(const std::string& text)
    {
        TempFolder::Write(folder.File("kvte.ini"), text);
        OpenProfile(settings, folder.File("kvte.ini").c_str(), "main");
    }
    void WriteEnvironment(const std::string& name, const std::string& text) const
    {
        TempFolder::Write(DataFilePath(programFolder.c_str(), "esf", name.c_str()), text);
    }
    void WriteColours(const std::string& text, const char* name = "test.ini") const
    {
        TempFolder::Write(DataFilePath(programFolder.c_str(), "color", name), text);
    }
};
