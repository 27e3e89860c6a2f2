#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "viewer/file_pairing.h"
#include "viewer/lap_comparison.h"

// The sessions a viewer has open: the log shown, the sessions added to
// compare its laps with (2, 3, ...), the reference lap and the laps chosen
// in the Compare list. Each platform's window keeps one.
class OpenSessions {
public:
    // A log shown anew: the comparison starts again with it alone.
    void show(std::shared_ptr<const LogSession> session);
    // Another log and its lap file, read and added; empty when added,
    // otherwise why not, in a user's words.
    std::string add(const FilePair& pair);

    const std::shared_ptr<const LogSession>& shown() const { return m_shown; }
    // The shown session first, then those added.
    std::vector<std::shared_ptr<const LogSession>> all() const;
    std::vector<const LogSession*> pointers() const;
    std::size_t count() const { return m_shown ? 1 + m_added.size() : 0; }
    // Every session's laps against the reference (by default the fastest):
    // what the Compare list shows.
    LapComparison laps() const;

    std::optional<SessionLap> reference;  // none: the fastest
    std::vector<SessionLap> chosen;       // in the Compare list

private:
    std::shared_ptr<const LogSession> m_shown;
    std::vector<std::shared_ptr<const LogSession>> m_added;
};
