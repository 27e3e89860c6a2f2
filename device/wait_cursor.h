#pragma once

#include "app/dialog_platform.h"

// The wait cursor for as long as the object lives, so that every way out of a
// transfer ends it.
class WaitCursor {
public:
    explicit WaitCursor(DialogPlatform& platform) : m_platform(platform) {
        m_platform.BeginWaitCursor();
    }
    ~WaitCursor() { m_platform.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    DialogPlatform& m_platform;
};
