// Roster commands of the pop-up menu and the view-winners button.
#include "window/unit1.h"

#include "draw/draw_error.h"
#include "draw/draw_folder.h"
#include "draw/draw_log.h"
#include "draw/text_file.h"
#include "draw/utf8_path.h"
#include "platform/dialogs.h"
#include "platform/editor_launch.h"
#include "platform/gbk_text.h"

#include <QDir>

namespace {

// Leading and trailing characters at or below the space character go; the
// full-width space stays.
QString trimControlAndSpace(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

} // namespace

void TForm1::N1Click()
{
    const std::optional<QString> answer = m_services.dialogs->inputText(
        QStringLiteral("提示"), QStringLiteral("请输入加入名单的名字"), 255);
    const QString name = trimControlAndSpace(answer.value_or(QString()));
    if (name.isEmpty())
        return;
    QString unencodable;
    std::optional<std::string> gbk = toGbk(name, &unencodable);
    if (!gbk)
        throw draw::DrawError(QStringLiteral("名字中有名单文件无法保存的字符：%1，未加入名单")
                                  .arg(unencodable)
                                  .toStdString());
    m_state.roster.append(*gbk);
    logEvent([&](std::string_view time) { return draw::log_text::nameAdded(time, *gbk); });
}

void TForm1::N2Click()
{
    // A rolling draw's pending display names entries by position: join it first.
    m_pick.takeDisplay(m_state.roster, m_display);
    const std::vector<draw::Roster::TakenEntry> deleted = m_state.roster.takeSelected();
    for (const draw::Roster::TakenEntry &entry : deleted)
        logEvent(
            [&](std::string_view time) { return draw::log_text::nameDeleted(time, entry.name); });
}

void TForm1::N6Click()
{
    draw::saveTextList(draw::utf8Path(draw::files::kRosterExport), m_state.roster.names());
    logEvent([&](std::string_view time) {
        return draw::log_text::exported(time, m_state.roster.size(), draw::files::kRosterExport);
    });
    m_services.dialogs->showInformation(QStringLiteral("导出完毕!"));
}

void TForm1::Button3Click()
{
    applyFocusRule();
    // The record the program writes, in the working folder, whatever folder the
    // program itself was started from.
    const QString record =
        QDir::current().absoluteFilePath(QString::fromUtf8(draw::files::kWinnersRecord));
    m_services.editor->open(record);
}
