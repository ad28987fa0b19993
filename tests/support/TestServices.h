#pragma once
// Responsibilities: one bundle of fakes that a test builds on the stack and hands out as Services.

#include "platform/Services.h"
#include "support/FakeClock.h"
#include "support/FakePrompts.h"
#include "support/FakeUserFolders.h"
#include "support/MemorySettingsStore.h"

namespace velm::test {

struct TestServices {
    FakePrompts prompts;
    FakeClock clock;
    MemorySettingsStore settings;
    FakeUserFolders folders;

    Services services() { return Services{prompts, clock, settings, folders}; }
};

} // namespace velm::test
