#include "midi.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kTicksPerEighth = kTicksPerQuarter / 2;

bool ParseKey(const QString& word, int& key)
{
    bool numeric = false;
    key = word.toInt(&numeric);
    if (numeric) {
        return key >= 0 && key <= 127;
    }
    static const QRegularExpression re(QStringLiteral("^([A-Ga-g])([#b]?)(-?\\d)$"));
    const auto m = re.match(word);
    if (!m.hasMatch()) {
        return false;
    }
    static const int semis[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int k = semis[m.captured(1).toUpper().at(0).unicode() - 'A'];
    if (m.captured(2) == QLatin1String("#")) {
        ++k;
    } else if (m.captured(2) == QLatin1String("b")) {
        --k;
    }
    key = 12 * (m.captured(3).toInt() + 1) + k;
    return key >= 0 && key <= 127;
}

bool ParseToken(const QString& token, ThemeTrack& track, QString& error)
{
    const int colon = token.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        error = QStringLiteral("missing length in '%1'").arg(token);
        return false;
    }
    bool ok = false;
    const double eighths = token.mid(colon + 1).toDouble(&ok);
    if (!ok || eighths <= 0) {
        error = QStringLiteral("bad length in '%1'").arg(token);
        return false;
    }
    const int ticks = int(std::lround(eighths * kTicksPerEighth));
    const QString what = token.left(colon);
    if (what.compare(QLatin1String("r"), Qt::CaseInsensitive) != 0) {
        for (const QString& part : what.split(QLatin1Char('+'))) {
            int key = 0;
            if (!ParseKey(part, key)) {
                error = QStringLiteral("bad note '%1'").arg(part);
                return false;
            }
            track.notes.push_back({track.end, ticks, key});
        }
    }
    track.end += ticks;
    return true;
}

bool ParseTrackHeader(const QStringList& words, ThemeTrack& track, QString& error)
{
    if (words.size() < 2) {
        error = QStringLiteral("track needs a name");
        return false;
    }
    track.name = words[1];
    for (int i = 2; i + 1 < words.size(); i += 2) {
        const int value = words[i + 1].toInt();
        if (words[i] == QLatin1String("channel") && value >= 1 && value <= 16) {
            track.channel = value - 1;
        } else if (words[i] == QLatin1String("program") && value >= 1 && value <= 128) {
            track.program = value - 1;
        } else if (words[i] == QLatin1String("velocity") && value >= 1 && value <= 127) {
            track.velocity = value;
        } else {
            error = QStringLiteral("bad track setting '%1 %2'").arg(words[i], words[i + 1]);
            return false;
        }
    }
    return true;
}

void PutVar(QByteArray& b, uint32_t v)
{
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7f;
    while ((v >>= 7) != 0) {
        bytes[n++] = uint8_t(0x80 | (v & 0x7f));
    }
    while (n > 0) {
        b.append(char(bytes[--n]));
    }
}

void PutBE(QByteArray& b, uint32_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        b.append(char((v >> (8 * i)) & 0xff));
    }
}

void AppendChunk(QByteArray& file, const char* id, const QByteArray& body)
{
    file.append(id, 4);
    PutBE(file, uint32_t(body.size()), 4);
    file.append(body);
}

void PutName(QByteArray& t, const QString& name)
{
    const QByteArray n = name.toLatin1();
    PutVar(t, 0);
    t.append(char(0xff)).append(char(0x03));
    PutVar(t, uint32_t(n.size()));
    t.append(n);
}

void PutEnd(QByteArray& t, uint32_t delta)
{
    PutVar(t, delta);
    t.append(char(0xff)).append(char(0x2f)).append(char(0x00));
}

QByteArray TrackBody(const ThemeTrack& track)
{
    struct Event {
        int tick;
        bool on;
        int key;
    };
    std::vector<Event> events;
    for (const ThemeNote& n : track.notes) {
        events.push_back({n.start, true, n.key});
        // Release a hair early so repeated notes are separate.
        events.push_back({n.start + std::max(1, n.length - 12), false, n.key});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : (!a.on && b.on);
    });
    QByteArray t;
    PutName(t, track.name);
    PutVar(t, 0);
    t.append(char(0xc0 | track.channel)).append(char(track.program));
    int now = 0;
    for (const Event& e : events) {
        PutVar(t, uint32_t(e.tick - now));
        now = e.tick;
        t.append(char((e.on ? 0x90 : 0x80) | track.channel));
        t.append(char(e.key));
        t.append(char(e.on ? track.velocity : 64));
    }
    PutEnd(t, uint32_t(std::max(0, track.end - now)));
    return t;
}

}  // namespace

bool ParseTheme(const QString& text, Theme& theme, QString& error)
{
    theme = Theme();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int ln = 0; ln < lines.size(); ++ln) {
        QString line = lines[ln];
        // '#' after a note letter is a sharp; anywhere else it starts a comment.
        for (int i = 0; i < line.size(); ++i) {
            if (line[i] == QLatin1Char('#') && (i == 0 || line[i - 1].isSpace())) {
                line.truncate(i);
                break;
            }
        }
        line.replace(QLatin1Char('|'), QLatin1Char(' '));
        QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            continue;
        }
        const QString where = QStringLiteral("line %1: ").arg(ln + 1);
        if (words[0] == QLatin1String("tempo")) {
            theme.tempo = words.value(1).toInt();
            if (theme.tempo < 20 || theme.tempo > 400) {
                error = where + QStringLiteral("bad tempo");
                return false;
            }
            continue;
        }
        if (words[0] == QLatin1String("track")) {
            theme.tracks.emplace_back();
            if (!ParseTrackHeader(words, theme.tracks.back(), error)) {
                error.prepend(where);
                return false;
            }
            continue;
        }
        if (theme.tracks.empty()) {
            error = where + QStringLiteral("notes before the first track");
            return false;
        }
        int times = 1;
        if (words[0].startsWith(QLatin1Char('*'))) {
            times = words[0].mid(1).toInt();
            words.removeFirst();
            if (times < 1) {
                error = where + QStringLiteral("bad repeat count");
                return false;
            }
        }
        for (int r = 0; r < times; ++r) {
            for (const QString& token : words) {
                if (!ParseToken(token, theme.tracks.back(), error)) {
                    error.prepend(where);
                    return false;
                }
            }
        }
    }
    if (theme.tracks.empty()) {
        error = QStringLiteral("no tracks");
        return false;
    }
    return true;
}

QByteArray ThemeToMidi(const Theme& theme)
{
    QByteArray file;
    QByteArray header;
    PutBE(header, 1, 2);  // format 1
    PutBE(header, uint32_t(theme.tracks.size() + 1), 2);
    PutBE(header, kTicksPerQuarter, 2);
    AppendChunk(file, "MThd", header);

    QByteArray tempo;
    PutName(tempo, QStringLiteral("z_wumble"));
    PutVar(tempo, 0);
    tempo.append(char(0xff)).append(char(0x58)).append(char(4));  // 4/4
    tempo.append(char(4)).append(char(2)).append(char(24)).append(char(8));
    PutVar(tempo, 0);
    tempo.append(char(0xff)).append(char(0x51)).append(char(3));
    PutBE(tempo, uint32_t(60000000 / theme.tempo), 3);
    PutEnd(tempo, 0);
    AppendChunk(file, "MTrk", tempo);

    for (const ThemeTrack& track : theme.tracks) {
        AppendChunk(file, "MTrk", TrackBody(track));
    }
    return file;
}

double ThemeSeconds(const Theme& theme)
{
    int ticks = 0;
    for (const ThemeTrack& t : theme.tracks) {
        ticks = std::max(ticks, t.end);
    }
    return ticks / double(kTicksPerQuarter) * 60.0 / theme.tempo;
}
