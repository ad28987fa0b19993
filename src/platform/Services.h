#pragma once
// Responsibilities: the bundle of platform services that main builds once and hands to the windows;
// tests build one from fakes.

namespace velm {

class Prompts;
class Clock;
class SettingsStore;
class UserFolders;

struct Services {
    Prompts& prompts;
    Clock& clock;
    SettingsStore& settings;
    UserFolders& folders;
};

} // namespace velm
