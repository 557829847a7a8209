#include "platform/dialogs.h"

#include "platform/application_title.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

namespace {

// The standard OK and Cancel, worded alike whatever the desktop's language.
QDialogButtonBox *okCancel(QDialog &dialog)
{
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

void centreOnScreen(QDialog &dialog)
{
    dialog.adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        dialog.move(area.center() - dialog.rect().center());
    }
}

} // namespace

std::optional<QList<int>> ModalDialogs::chooseItems(const QString &title, const QString &prompt,
                                                    const QStringList &items)
{
    QDialog dialog(m_owner);
    dialog.setWindowTitle(title);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(prompt, &dialog));
    auto *list = new QListWidget(&dialog);
    // A click picks or drops one row, so several are picked with the mouse alone.
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->addItems(items);
    list->setMinimumWidth(240);
    layout->addWidget(list);
    layout->addWidget(okCancel(dialog));
    centreOnScreen(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QList<int> rows;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            rows << row;
    return rows;
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
    layout->addWidget(okCancel(dialog));
    centreOnScreen(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return line->text();
}
