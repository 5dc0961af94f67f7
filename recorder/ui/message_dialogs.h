#pragma once
// The message boxes and file dialogs of the windows, behind an interface so tests can
// record what the user is told and answer questions without blocking.

#include "core/reporter.h"

#include <QString>

class QWidget;

namespace vorda {

// The answers to the question whether to save before closing.
enum class SaveChoice { Save, Discard, Cancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The same with Cancel as the default button, for questions whose OK destroys data.
    virtual bool confirmDestructive(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A question with "Zapisz", "Nie zapisuj" and "Anuluj", "Anuluj" the default.
    virtual SaveChoice askToSave(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The open dialog; the chosen path, or empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& dir, const QString& initialName,
                                 const QString& filter) = 0;
    // The open and save dialogs with a title; the chosen path, or empty when cancelled.
    // The save dialog starts in `dir` and appends `defaultSuffix` (when given) to a name
    // typed without one.
    virtual QString openFileNameTitled(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& dir, const QString& filter,
                                 const QString& defaultSuffix = {}) = 0;
};

class MessageBoxDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) override;
    bool confirm(QWidget* parent, const QString& text, const QString& caption) override;
    bool confirmDestructive(QWidget* parent, const QString& text, const QString& caption) override;
    SaveChoice askToSave(QWidget* parent, const QString& text, const QString& caption) override;
    QString openFileName(QWidget* parent, const QString& dir, const QString& initialName,
                         const QString& filter) override;
    QString openFileNameTitled(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& dir, const QString& filter,
                         const QString& defaultSuffix) override;
};

}  // namespace vorda
