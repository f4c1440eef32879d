// SettingsFile: the content of "kvte.ini" that the program owns: the default text written
// when the file is missing, the version record, and the cumulative upgrade that brings an
// older file up to the current layout.
#pragma once

#include <string>

#include "config/ProfileFile.h"

// Layout version that this program writes into [version] main (with a = b = 0).
constexpr int kSettingsVersion = 342;

// The first layout whose readers remove enclosing quotes from values; the upgrade from an
// older one wraps every stored value that begins and ends with a quote in one more pair.
constexpr int kFirstUnquotingVersion = 337;

// The default text with its three "%d" placeholders (Shift-JIS, CR LF line ends).
extern const char kDefaultSettingsTemplate[];

// The default text with the version record filled in.
std::string FormatDefaultSettings(int main, int a, int b);

// Runs the upgrade table from the row of the version stored in [version] main; the last
// row (the version record itself) always runs. Selects its own sections. The steps are
// written in one batch and the version record in a second one after it, so a version
// record never claims steps that are not on disk. True when both were written.
bool UpgradeSettings(ProfileFile& settings);

// Creates the settings file at path from the default text when it is missing, opens
// settings on it with the section "version", and upgrades it when its version record is
// not current. A new file gets the default text and the whole upgrade in one write.
// announceUpgrade is called just before upgrading a file that existed before (not one
// created here). The settings object exists afterwards whatever the disk did: a file that
// cannot be written reads as empty, one that cannot be read is left as it is. True when the
// file is current on disk; false when the path was refused (too long for the settings
// object) or the file could not be read or written.
bool PrepareSettingsFile(ProfileFile& settings, const char* path, void (*announceUpgrade)(void* context),
                         void* context);
