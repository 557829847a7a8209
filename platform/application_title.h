#pragma once

#include <QString>

// The application title, shown on the error and information boxes.
inline QString applicationTitle()
{
    return QStringLiteral("澄岚晚会抽奖系统");
}
