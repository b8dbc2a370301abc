#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
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

/// How an MP3 of writeMp3() is made.
struct Mp3Kind
{
    bool variableRate = false;
    int channels = 1;
    bool id3Tag = false;
};

/// An MP3 of a test tone made by GStreamer's gst-launch-1.0 (LAME, the ID3v2 muxer); an empty answer means it
/// was written, else it says why not.
inline QString writeMp3(const QString& path, int milliseconds, const Mp3Kind& kind)
{
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (launcher.isEmpty())
        return QStringLiteral("gst-launch-1.0 is missing (gstreamer1.0-tools)");
    const int rate = 32000;
    QStringList pipeline{QStringLiteral("-q"),
                         QStringLiteral("audiotestsrc"),
                         QStringLiteral("num-buffers=%1").arg(milliseconds / 100),
                         QStringLiteral("samplesperbuffer=%1").arg(rate / 10),
                         QStringLiteral("!"),
                         QStringLiteral("audio/x-raw,rate=%1,channels=%2").arg(rate).arg(kind.channels),
                         QStringLiteral("!")};
    if (kind.id3Tag)
        pipeline << QStringLiteral("taginject") << QStringLiteral("tags=title=Probe") << QStringLiteral("!");
    pipeline << QStringLiteral("lamemp3enc");
    if (kind.variableRate)
        pipeline << QStringLiteral("target=quality") << QStringLiteral("quality=4") << QStringLiteral("!")
                 << QStringLiteral("xingmux");
    else
        pipeline << QStringLiteral("target=bitrate") << QStringLiteral("cbr=true") << QStringLiteral("bitrate=64");
    if (kind.id3Tag)
        pipeline << QStringLiteral("!") << QStringLiteral("id3v2mux");
    pipeline << QStringLiteral("!") << QStringLiteral("filesink") << QStringLiteral("location=") + path;
    QProcess encoder;
    encoder.start(launcher, pipeline);
    if (!encoder.waitForFinished(30000) || encoder.exitStatus() != QProcess::NormalExit || encoder.exitCode() != 0)
        return QStringLiteral("gst-launch-1.0 failed: ") + QString::fromLocal8Bit(encoder.readAllStandardError());
    return QFileInfo(path).size() > 0 ? QString() : QStringLiteral("gst-launch-1.0 wrote nothing");
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

/// An AVI of uncompressed 24-bit frames (10 a second), each a solid colour running from red to blue.
inline bool writeAvi(const QString& path, int width, int height, int frames)
{
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
    auto chunk = [&](const QByteArray& id, const QByteArray& body) { return id + u32(body.size()) + body; };
    auto list = [&](const QByteArray& type, const QByteArray& body) { return chunk("LIST", type + body); };
    const int stride = (width * 3 + 3) & ~3;
    const quint32 frameSize = stride * height;
    const QByteArray avih = u32(100000) + u32(frameSize * 10) + u32(0) + u32(0x10) + u32(frames) + u32(0) + u32(1) +
                            u32(frameSize) + u32(width) + u32(height) + QByteArray(16, '\0');
    const QByteArray strh = QByteArray("vids") + QByteArray("DIB ") + u32(0) + u16(0) + u16(0) + u32(0) + u32(1) +
                            u32(10) + u32(0) + u32(frames) + u32(frameSize) + u32(0xFFFFFFFF) + u32(0) + u16(0) +
                            u16(0) + u16(width) + u16(height);
    const QByteArray strf = u32(40) + u32(width) + u32(height) + u16(1) + u16(24) + u32(0) + u32(frameSize) + u32(0) +
                            u32(0) + u32(0) + u32(0);
    const QByteArray header =
        list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
    QByteArray movi = "movi";
    QByteArray index;
    for (int f = 0; f < frames; ++f) {
        QByteArray frame(frameSize, '\0');
        const char blue = static_cast<char>(255 * f / std::max(1, frames - 1));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                char* pixel = frame.data() + y * stride + x * 3;
                pixel[0] = blue;                          // B
                pixel[1] = 0;                             // G
                pixel[2] = static_cast<char>(255 - blue); // R
            }
        index += QByteArray("00db") + u32(0x10) + u32(movi.size()) + u32(frameSize);
        movi += chunk("00db", frame);
    }
    const QByteArray body = QByteArray("AVI ") + header + chunk("LIST", movi) + chunk("idx1", index);
    const QByteArray file = chunk("RIFF", body);
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

} // namespace mediafiles
