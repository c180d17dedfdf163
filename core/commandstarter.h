#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace brisquel {

// How a started command came to its end.
struct CommandEnd {
    enum class Kind {
        Ended,      // it ran; exitStatus and errorOutput tell how it went
        NotFound,   // no such program in any of the folders looked in
        NotStarted, // found, but the system would not start it
    };
    Kind kind = Kind::Ended;
    int exitStatus = 0;          // Ended: 0 for success; -1 when a signal ended it
    QString errorOutput;         // Ended: the end of its standard error
    QString program;             // NotFound, NotStarted: the program's name
    QStringList searchedFolders; // NotFound: where it was looked for, in order

    bool succeeded() const { return kind == Kind::Ended && exitStatus == 0; }
};

// Starts one command line as a hidden process and returns at once. `ended`
// is called exactly once, later, from the event loop (or at once when the
// command cannot be started at all); never after the starter is gone.
class CommandStarter
{
public:
    using EndHandler = std::function<void(const CommandEnd &)>;

    virtual ~CommandStarter() = default;
    virtual void start(const QString &commandLine, EndHandler ended) = 0;
};

} // namespace brisquel
