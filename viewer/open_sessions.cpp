#include "viewer/open_sessions.h"

#include "text/translation.h"

void OpenSessions::show(std::shared_ptr<const LogSession> session) {
    m_shown = std::move(session);
    m_added.clear();
    reference.reset();
    chosen.clear();
}

std::string OpenSessions::add(const FilePair& pair) {
    if (!pair.lap) {
        return translated("\"{file}\" has no lap file: its laps cannot be compared.",
                          {{"file", pair.log}});
    }
    ReadResult<LogSession> loaded = loadSession(pair);
    if (const auto* error = std::get_if<ReadError>(&loaded)) {
        return error->message();
    }
    m_added.push_back(std::make_shared<const LogSession>(std::move(std::get<LogSession>(loaded))));
    return {};
}

std::vector<std::shared_ptr<const LogSession>> OpenSessions::all() const {
    std::vector<std::shared_ptr<const LogSession>> sessions = {m_shown};
    sessions.insert(sessions.end(), m_added.begin(), m_added.end());
    return sessions;
}

std::vector<const LogSession*> OpenSessions::pointers() const {
    std::vector<const LogSession*> sessions;
    for (const auto& session : all()) {
        sessions.push_back(session.get());
    }
    return sessions;
}

LapComparison OpenSessions::laps() const {
    return compareLaps(pointers(), {}, reference);
}
