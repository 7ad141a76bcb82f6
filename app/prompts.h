#pragma once

#include <QString>

// Every question and message the main window puts to the user goes through this
// interface, so the window's behaviour can be driven without real modal boxes.
class Prompts {
public:
    virtual ~Prompts() = default;
    // The confirmation box "確認": true only when the user chose "OK".
    virtual bool confirm(const QString& question) = 0;
    virtual void inform(const QString& message) = 0;
    virtual void showError(const QString& message) = 0;
    // The open-picture dialog; an empty result means the user cancelled.
    virtual QString openFileName(const QString& filter) = 0;
    // The sound of a command refused for the moment.
    virtual void beep() = 0;
};
