/* synth: the shared voices and the Ogg Vorbis writer (see synth.h). */
#include "synth.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vorbis/vorbisenc.h>

static unsigned int noise_state = 12345u;

void NoiseSeed(unsigned int seed) {
    noise_state = seed;
}

float Noise(void) {
    noise_state = noise_state * 1664525u + 1013904223u;
    return (float)((noise_state >> 8) & 0xFFFF) / 32768.0f - 1.0f;
}

float LowPassRun(LowPass* f, float x) {
    f->y += f->a * (x - f->y);
    return f->y;
}

LowPass LowPassAt(float cutoff_hz) {
    LowPass f;
    f.a = (float)(1.0 - exp(-TWO_PI * cutoff_hz / RATE));
    f.y = 0.0f;
    return f;
}

float Envelope(double t, double attack, double decay) {
    if (t < 0.0)
        return 0.0f;
    if (t < attack)
        return (float)(t / attack);
    return (float)exp(-(t - attack) / decay);
}

Buffer NewBuffer(double seconds) {
    Buffer b;
    b.count = (int)(seconds * RATE);
    b.data = (float*)calloc((size_t)b.count, sizeof(float));
    if (!b.data) {
        fprintf(stderr, "synth: out of memory\n");
        exit(1);
    }
    return b;
}

void Normalise(Buffer* b, float peak) {
    float max = 0.0f;
    for (int i = 0; i < b->count; ++i)
        if (fabsf(b->data[i]) > max)
            max = fabsf(b->data[i]);
    if (max <= 0.0f)
        return;
    for (int i = 0; i < b->count; ++i)
        b->data[i] *= peak / max;
}

void CloseLoop(Buffer* b, double fade) {
    const int n = (int)(fade * RATE);
    if (n <= 0 || n * 2 > b->count)
        return;
    const int tail = b->count - n;
    for (int i = 0; i < n; ++i) {
        const float w = (float)i / (float)n;
        b->data[i] = b->data[i] * w + b->data[tail + i] * (1.0f - w);
    }
    b->count = tail;
}

void AddChirp(Buffer* b, double start, double length, double f0, double f1, float gain) {
    double phase = 0.0;
    const int first = (int)(start * RATE);
    const int n = (int)(length * RATE);
    for (int i = 0; i < n && first + i < b->count; ++i) {
        const double u = (double)i / n;
        const double f = f0 + (f1 - f0) * u;
        phase += TWO_PI * f / RATE;
        const float env = (float)sin(u * PI);
        b->data[first + i] += gain * env * env * (float)sin(phase);
    }
}

void AddBell(Buffer* b, double start, double freq, double decay, float gain) {
    const int first = (int)(start * RATE);
    for (int i = first; i < b->count; ++i) {
        const double t = (double)(i - first) / RATE;
        const float env = Envelope(t, 0.002, decay);
        if (env < 0.0005f && t > 0.01)
            break;
        const double w = TWO_PI * freq * t;
        b->data[i] +=
            gain * env * (float)(sin(w) + 0.4 * sin(2.76 * w) * exp(-t * 6.0) + 0.2 * sin(5.4 * w));
    }
}

void AddTick(Buffer* b, double start, double freq, float gain) {
    const int first = (int)(start * RATE);
    LowPass body = LowPassAt(3000.0f);
    for (int i = first; i < b->count; ++i) {
        const double t = (double)(i - first) / RATE;
        if (t > 0.06)
            break;
        const float env = Envelope(t, 0.0005, 0.008);
        const float n = LowPassRun(&body, Noise());
        b->data[i] += gain * env * (n + 0.6f * (float)sin(TWO_PI * freq * t));
    }
}

void AddWhoosh(Buffer* b, double start, double length, float cutoff_hz, float gain) {
    LowPass air = LowPassAt(cutoff_hz);
    const int first = (int)(start * RATE);
    const int n = (int)(length * RATE);
    for (int i = 0; i < n && first + i < b->count; ++i) {
        const float env = (float)sin(PI * i / n);
        b->data[first + i] += gain * env * env * LowPassRun(&air, Noise());
    }
}

void AddSweep(Buffer* b, double start, double length, double f0, double f1, float gain) {
    LowPass air = LowPassAt((float)f0);
    const int first = (int)(start * RATE);
    const int n = (int)(length * RATE);
    for (int i = 0; i < n && first + i < b->count; ++i) {
        const double u = (double)i / n;
        air.a = (float)(1.0 - exp(-TWO_PI * (f0 + (f1 - f0) * u) / RATE));
        const float env = (float)sin(PI * u);
        b->data[first + i] += gain * env * env * LowPassRun(&air, Noise());
    }
}

void AddStep(Buffer* b, double start, float gain) {
    LowPass step = LowPassAt(250.0f);
    const int first = (int)(start * RATE);
    for (int i = first; i < first + RATE / 10 && i < b->count; ++i) {
        const double t = (double)(i - first) / RATE;
        b->data[i] += gain * Envelope(t, 0.003, 0.02) * LowPassRun(&step, Noise());
    }
}

static int WritePages(FILE* file, ogg_stream_state* stream, int flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(stream, &page) : ogg_stream_pageout(stream, &page)) {
        if (fwrite(page.header, 1, (size_t)page.header_len, file) != (size_t)page.header_len ||
            fwrite(page.body, 1, (size_t)page.body_len, file) != (size_t)page.body_len)
            return 0;
    }
    return 1;
}

int WriteOgg(const char* path, const Buffer* b, float quality) {
    FILE* file = fopen(path, "wb");
    if (!file) {
        perror(path);
        return 0;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, RATE, quality) != 0) {
        fprintf(stderr, "synth: the encoder refused mono %d Hz\n", RATE);
        fclose(file);
        return 0;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "Tarrow soundgen");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x7A770); /* any fixed serial keeps the files reproducible */

    ogg_packet header, header_comment, header_code;
    vorbis_analysis_headerout(&dsp, &comment, &header, &header_comment, &header_code);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &header_comment);
    ogg_stream_packetin(&stream, &header_code);
    int ok = WritePages(file, &stream, 1);

    const int chunk = 1024;
    for (int done = 0; ok && done <= b->count;) {
        const int n = b->count - done < chunk ? b->count - done : chunk;
        if (n > 0) {
            float** in = vorbis_analysis_buffer(&dsp, n);
            memcpy(in[0], b->data + done, (size_t)n * sizeof(float));
        }
        vorbis_analysis_wrote(&dsp, n); /* n == 0 marks the end of the stream */
        done += n > 0 ? n : 1;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, NULL);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                ok = ok && WritePages(file, &stream, 0);
            }
        }
    }
    ok = ok && WritePages(file, &stream, 1);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    if (fclose(file) != 0)
        ok = 0;
    if (!ok)
        fprintf(stderr, "synth: could not write %s\n", path);
    return ok;
}
