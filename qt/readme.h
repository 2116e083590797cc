#pragma once

// The read-me command of Yardım > "Yardım" and F1.

#include <QString>
#include <QUrl>
#include <functional>

namespace zerkan {

struct ReadMeRequest {
    QUrl document;  // benioku.rtf in the current directory
};

// The request for the current directory at the moment of the command.
ReadMeRequest CurrentReadMeRequest();

// Starts the viewer detached and returns at once; a failure is not reported.
void OpenReadMe(const ReadMeRequest& request);

// The window's way to start the viewer; tests put their own in place.
using ReadMeLauncher = std::function<void(const ReadMeRequest&)>;

}  // namespace zerkan
