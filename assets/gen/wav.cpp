#include "wav.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void Put16(QByteArray& b, uint16_t v)
{
    b.append(char(v & 0xff));
    b.append(char(v >> 8));
}

void Put32(QByteArray& b, uint32_t v)
{
    Put16(b, uint16_t(v & 0xffff));
    Put16(b, uint16_t(v >> 16));
}

}  // namespace

bool WriteWav(const QString& path, const std::vector<float>& samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    QByteArray b;
    b.append("RIFF");
    Put32(b, 36 + dataBytes);
    b.append("WAVE");
    b.append("fmt ");
    Put32(b, 16);
    Put16(b, 1);                 // PCM
    Put16(b, 1);                 // mono
    Put32(b, kSampleRate);
    Put32(b, kSampleRate * 2);   // byte rate
    Put16(b, 2);                 // block align
    Put16(b, 16);                // bits per sample
    b.append("data");
    Put32(b, dataBytes);
    for (float s : samples) {
        const float c = std::clamp(s, -1.0f, 1.0f);
        Put16(b, uint16_t(int16_t(std::lround(c * 32767.0f))));
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
}
