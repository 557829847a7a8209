#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// How a Yes/No question ended. Dismissed: the box was shut without either button,
// which answers nothing.
enum class DialogAnswer { Yes, No, Dismissed };

// The modal boxes of the program behind one small interface, so tests can answer
// them and read what they said.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The application's error box: title = application title.
    virtual void showError(const QString &message) = 0;
    // Yes/No question with a question icon. Only the two buttons answer it.
    virtual DialogAnswer askYesNo(const QString &title, const QString &text) = 0;
    // Information box with an OK button, titled with the application title.
    virtual void showInformation(const QString &text) = 0;
    // One-line input box; nullopt when cancelled. maxLength limits the typed characters.
    virtual std::optional<QString> inputText(const QString &title, const QString &prompt,
                                             int maxLength) = 0;
    // A list to pick any number of items from, with OK and Cancel: the rows chosen,
    // in list order; nullopt when cancelled.
    virtual std::optional<QList<int>> chooseItems(const QString &title, const QString &prompt,
                                                  const QStringList &items) = 0;
};

// The error box's text: the message, with "." appended when its last character
// sorts after ".".
QString errorBoxText(const QString &message);

// Real modal boxes, parented to `owner`.
class ModalDialogs : public Dialogs {
public:
    explicit ModalDialogs(QWidget *owner = nullptr);

    void showError(const QString &message) override;
    // Escape and the title bar's close button leave the question open.
    DialogAnswer askYesNo(const QString &title, const QString &text) override;
    void showInformation(const QString &text) override;
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     int maxLength) override;
    std::optional<QList<int>> chooseItems(const QString &title, const QString &prompt,
                                          const QStringList &items) override;

    void setOwner(QWidget *owner) { m_owner = owner; }

private:
    QWidget *m_owner;
};
