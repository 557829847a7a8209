#include "platform/dialogs.h"

#include "platform/application_title.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

ModalDialogs::ModalDialogs(QWidget *owner) : m_owner(owner) {}

void ModalDialogs::showError(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), errorBoxText(message),
                    QMessageBox::Ok, m_owner);
    box.exec();
}

namespace {

// Keeps a question open against Escape and close requests: a message box would
// otherwise take either for its No button.
class OnlyButtonsAnswer : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

DialogAnswer ModalDialogs::askYesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    // No close button in the title bar, where the window manager honours that.
    box.setWindowFlags((box.windowFlags() | Qt::CustomizeWindowHint) &
                       ~(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
    OnlyButtonsAnswer onlyButtons;
    box.installEventFilter(&onlyButtons);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return DialogAnswer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return DialogAnswer::No;
    return DialogAnswer::Dismissed;
}

void ModalDialogs::showInformation(const QString &text)
{
    QMessageBox box(QMessageBox::Information, applicationTitle(), text, QMessageBox::Ok, m_owner);
    box.exec();
}

std::optional<QString> ModalDialogs::inputText(const QString &title, const QString &prompt,
                                               int maxLength)
{
    // Built by hand rather than with QInputDialog so the line can be limited in length
    // and the buttons read "OK" and "Cancel" whatever the desktop's language.
    QDialog dialog(m_owner);
    dialog.setWindowTitle(title);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(prompt, &dialog));
    auto *line = new QLineEdit(&dialog);
    line->setMaxLength(maxLength);
    line->setMinimumWidth(240);
    layout->addWidget(line);
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        dialog.move(area.center() - dialog.rect().center());
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return line->text();
}
