#pragma once
// Responsibilities: what the log's keys need of the WinKey keyer (in use, busy, clear its buffer, take back
// a character), and NullWinKeyState for a program without one.

namespace velm {

class WinKeyState {
public:
    virtual ~WinKeyState() = default;

    virtual bool winKeyInUse() const = 0; // WinKey is the keying method and is open
    virtual bool winKeyBusy() const = 0;  // WinKey reports a non-zero status
    virtual void winKeyClearBuffer() = 0;
    virtual void winKeyBackspace() = 0;
};

class NullWinKeyState final : public WinKeyState {
public:
    bool winKeyInUse() const override { return false; }
    bool winKeyBusy() const override { return false; }
    void winKeyClearBuffer() override {}
    void winKeyBackspace() override {}
};

} // namespace velm
