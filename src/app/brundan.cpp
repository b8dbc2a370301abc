#include "app/brundan.h"

QString Sub(const QString& s, qint32 i, qint32 c)
{
    if (c <= 0 || i > s.size())
        return {};
    if (i < 1)
        i = 1;
    return s.mid(i - 1, c);
}

QString NextFrame(TBrundan& animator)
{
    const QString& text = animator.Text;
    const qint32 L = static_cast<qint32>(text.size()) + 2;
    qint32 p = animator.Pos;
    qint32 q = animator.Span;
    QString frame;
    switch (animator.Mode) {
    case 0:
        frame = Sub(text, p, L - p) + Sub(text, 1, p - 1);
        if (L - p < 2)
            p = 1;
        break;
    case 1:
        frame = Sub(text, L - p, L) + Sub(text, 1, L - p - 1);
        if (L - p < 2)
            p = 1;
        break;
    case 2:
        if (L % 2 != 0) {
            frame = Sub(text, (L - 1) / 2 + 2 - p, q);
            if (q + 1 > L - 2) {
                p = 1;
                q = -1;
            }
        } else {
            frame = Sub(text, L / 2 + 1 - p, q);
            if (L / 2 + 1 - p < 2)
                p = 1;
            if (L - 4 < q)
                q = 0;
        }
        break;
    case 3: {
        const QString a = Sub(text, 1, p);
        QString b = Sub(text, L - 1 - p, L - 2);
        if (L % 2 != 0) {
            // The two halves meet on the middle character, which must not appear twice.
            if (L / 2 - 1 < p) {
                b = Sub(b, 2, static_cast<qint32>(b.size()));
                p = 0;
            }
        } else if (L / 2 - 2 < p) {
            p = 0;
        }
        frame = a + b;
        break;
    }
    case 4:
        frame = Sub(text, p, 1);
        if (L - 2 < p)
            p = 0;
        break;
    case 5:
        frame = Sub(text, L - p, 1);
        if (L - 2 < p)
            p = 0;
        break;
    case 6:
        frame = Sub(text, 1, p - 1);
        if (L - 2 < p)
            p = 1;
        break;
    case 7:
        frame = Sub(text, L - p, p);
        if (L - 2 < p)
            p = 1;
        break;
    default:
        frame = text;
        break;
    }
    animator.Pos = p + 1;
    animator.Span = q + 2;
    return frame;
}

QString NextRunningLineFrame(const QString& line, qint32& pos)
{
    const qint32 k = pos;
    const qint32 m = static_cast<qint32>(line.size());
    const QString frame = Sub(line, k, m - k) + Sub(line, 1, k - 1);
    pos = k + 1;
    if (m - pos < 2)
        pos = 1;
    return frame;
}
