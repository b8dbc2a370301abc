#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <cmath>

// Short media files written by the tests themselves.
namespace mediafiles {

/// A mono 16-bit PCM WAV of a 440 Hz tone.
inline bool writeWav(const QString& path, int milliseconds)
{
    const int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    QByteArray data;
    for (int i = 0; i < samples; ++i) {
        const auto sample = static_cast<qint16>(6000 * std::sin(2 * M_PI * 440 * i / rate));
        char bytes[2];
        qToLittleEndian(sample, bytes);
        data.append(bytes, 2);
    }
    auto u32 = [](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        return QByteArray(bytes, 4);
    };
    auto u16 = [](quint16 value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        return QByteArray(bytes, 2);
    };
    QByteArray file = "RIFF" + u32(36 + data.size()) + "WAVE" + "fmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
                      u32(rate * 2) + u16(2) + u16(16) + "data" + u32(data.size()) + data;
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

/// A one-track General MIDI file: a piano playing middle C for a quarter note at 120 beats a minute.
inline bool writeMidi(const QString& path)
{
    const QByteArray track = QByteArray::fromHex("00C000"                  // program change: acoustic grand piano
                                                 "00903C64"                // note on, middle C
                                                 "8160803C40"              // after 224 ticks: note off
                                                 "00FF2F00");              // end of track
    QByteArray file = QByteArray::fromHex("4D546864000000060000000100E0"); // MThd, format 0, 1 track, 224 ticks
    file += "MTrk";
    char length[4];
    qToBigEndian(quint32(track.size()), length);
    file += QByteArray(length, 4) + track;
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

} // namespace mediafiles
