#pragma once

#include <QLineEdit>
#include <QTest>

// Replaces a field's text the way a user does: select all, Backspace, type.
inline void typeInto(QLineEdit* edit, const QString& digits)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    for (QChar c : digits)
        QTest::keyClick(edit, c.toLatin1());
}
