/* soundgen: synthesises the demo's sounds and writes them as Ogg Vorbis.
 *
 *   soundgen OUTPUT_FOLDER
 *
 * Every sound is made here from sine tones and filtered noise (no recordings):
 * two ambience loops that join seamlessly at their ends, and short effects.
 * The output is deterministic: the noise comes from a fixed-seed generator.
 * Built by tools/soundgen/make_sounds.sh (it links libvorbisenc, which the
 * game itself does not need); run it only when a sound changes and commit the
 * .ogg files. */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <vorbis/vorbisenc.h>

#define RATE 22050
#define TWO_PI 6.283185307179586

/* ---- helpers ------------------------------------------------------------ */

static unsigned int noise_state = 12345u;

static float Noise(void) { /* white noise in -1..1 */
    noise_state = noise_state * 1664525u + 1013904223u;
    return (float)((noise_state >> 8) & 0xFFFF) / 32768.0f - 1.0f;
}

typedef struct { /* one-pole low-pass */
    float a, y;
} LowPass;

static float LowPassRun(LowPass* f, float x) {
    f->y += f->a * (x - f->y);
    return f->y;
}

static LowPass LowPassAt(float cutoff_hz) {
    LowPass f;
    f.a = (float)(1.0 - exp(-TWO_PI * cutoff_hz / RATE));
    f.y = 0.0f;
    return f;
}

/* Attack-decay envelope: rises linearly over attack seconds, then falls
 * exponentially with the given time constant. */
static float Envelope(double t, double attack, double decay) {
    if (t < 0.0)
        return 0.0f;
    if (t < attack)
        return (float)(t / attack);
    return (float)exp(-(t - attack) / decay);
}

typedef struct {
    float* data;
    int count;
} Buffer;

static Buffer NewBuffer(double seconds) {
    Buffer b;
    b.count = (int)(seconds * RATE);
    b.data = (float*)calloc((size_t)b.count, sizeof(float));
    if (!b.data) {
        fprintf(stderr, "soundgen: out of memory\n");
        exit(1);
    }
    return b;
}

/* Scales the buffer so its loudest sample reaches peak. */
static void Normalise(Buffer* b, float peak) {
    float max = 0.0f;
    for (int i = 0; i < b->count; ++i)
        if (fabsf(b->data[i]) > max)
            max = fabsf(b->data[i]);
    if (max <= 0.0f)
        return;
    for (int i = 0; i < b->count; ++i)
        b->data[i] *= peak / max;
}

/* Makes a loop seamless: the last fade seconds are cross-faded into the
 * first ones and cut off, so the end flows into the start. */
static void CloseLoop(Buffer* b, double fade) {
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

/* A short chirp: a sine sweeping from f0 to f1 with a quick envelope. */
static void AddChirp(Buffer* b, double start, double length, double f0, double f1, float gain) {
    double phase = 0.0;
    const int first = (int)(start * RATE);
    const int n = (int)(length * RATE);
    for (int i = 0; i < n && first + i < b->count; ++i) {
        const double u = (double)i / n;
        const double f = f0 + (f1 - f0) * u;
        phase += TWO_PI * f / RATE;
        const float env = (float)sin(u * 3.141592653589793);
        b->data[first + i] += gain * env * env * (float)sin(phase);
    }
}

/* A struck tone: a sine with its second and third partials, decaying. */
static void AddBell(Buffer* b, double start, double freq, double decay, float gain) {
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

/* A tick: a burst of band-limited noise with a woody resonance. */
static void AddTick(Buffer* b, double start, double freq, float gain) {
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

/* ---- the sounds ----------------------------------------------------------- */

/* The garden: wind in the leaves, the fountain's trickle and a few birds. */
static Buffer GardenAmbience(void) {
    Buffer b = NewBuffer(12.5);
    LowPass wind = LowPassAt(400.0f), wind2 = LowPassAt(400.0f);
    LowPass water_lo = LowPassAt(3500.0f), water_hi = LowPassAt(900.0f);
    for (int i = 0; i < b.count; ++i) {
        const double t = (double)i / RATE;
        const float gust = 0.55f + 0.45f * (float)sin(TWO_PI * t / 6.25 + 0.7);
        const float w = LowPassRun(&wind2, LowPassRun(&wind, Noise()));
        /* band-pass (difference of low-passes) gives the water its hiss;
         * a fast random flutter makes it babble */
        const float n = Noise();
        const float water = LowPassRun(&water_lo, n) - LowPassRun(&water_hi, n);
        const float babble =
            0.7f + 0.3f * (float)sin(TWO_PI * 7.3 * t) * (float)sin(TWO_PI * 2.9 * t);
        b.data[i] = 1.8f * gust * w + 0.22f * water * babble;
    }
    static const double birds[][4] = {
        /* start, length, from Hz, to Hz */
        {0.8, 0.09, 3200, 4100},  {0.95, 0.08, 3300, 4300}, {1.1, 0.12, 4200, 2900},
        {4.2, 0.07, 2600, 3600},  {4.32, 0.07, 2600, 3700}, {4.44, 0.07, 2700, 3800},
        {4.56, 0.16, 3900, 3100}, {7.9, 0.10, 3600, 4500},  {8.1, 0.14, 4400, 3200},
        {10.3, 0.06, 3000, 3900}, {10.4, 0.06, 3000, 3900}, {10.5, 0.18, 3800, 2800},
    };
    for (size_t k = 0; k < sizeof(birds) / sizeof(birds[0]); ++k)
        AddChirp(&b, birds[k][0], birds[k][1], birds[k][2], birds[k][3], 0.12f);
    CloseLoop(&b, 0.5);
    Normalise(&b, 0.5f);
    return b;
}

/* The study: the clock's tick-tock over a quiet room tone. */
static Buffer StudyAmbience(void) {
    Buffer b = NewBuffer(8.5);
    LowPass room = LowPassAt(180.0f);
    for (int i = 0; i < b.count; ++i)
        b.data[i] = 0.6f * LowPassRun(&room, Noise());
    for (int k = 0; k < 8; ++k)
        AddTick(&b, 0.1 + k * 1.0, k % 2 ? 1400.0 : 1700.0, 0.5f);
    CloseLoop(&b, 0.5);
    Normalise(&b, 0.45f);
    return b;
}

/* A soft interface click. */
static Buffer Click(void) {
    Buffer b = NewBuffer(0.12);
    AddTick(&b, 0.0, 2200.0, 1.0f);
    AddBell(&b, 0.0, 1320.0, 0.025, 0.35f);
    Normalise(&b, 0.7f);
    return b;
}

/* Footsteps through a door: a swell of air and two muffled steps. */
static Buffer Door(void) {
    Buffer b = NewBuffer(0.9);
    LowPass air = LowPassAt(700.0f);
    for (int i = 0; i < b.count; ++i) {
        const double t = (double)i / RATE;
        const float env = (float)(sin(3.141592653589793 * t / 0.9));
        b.data[i] = env * env * LowPassRun(&air, Noise());
    }
    LowPass step = LowPassAt(250.0f);
    for (int k = 0; k < 2; ++k) {
        const int first = (int)((0.25 + 0.32 * k) * RATE);
        for (int i = first; i < first + RATE / 10 && i < b.count; ++i) {
            const double t = (double)(i - first) / RATE;
            b.data[i] += 3.0f * Envelope(t, 0.003, 0.02) * LowPassRun(&step, Noise());
        }
    }
    Normalise(&b, 0.6f);
    return b;
}

/* A wooden drawer sliding open: rough low noise, stuttering, and a knock. */
static Buffer Drawer(void) {
    Buffer b = NewBuffer(0.7);
    LowPass wood = LowPassAt(900.0f);
    for (int i = 0; i < b.count; ++i) {
        const double t = (double)i / RATE;
        const float slide = t < 0.5 ? (float)sin(3.141592653589793 * t / 0.5) : 0.0f;
        const float stutter = 0.6f + 0.4f * (float)sin(TWO_PI * 31.0 * t);
        b.data[i] = slide * stutter * LowPassRun(&wood, Noise());
    }
    AddTick(&b, 0.5, 180.0, 1.2f);
    Normalise(&b, 0.6f);
    return b;
}

/* Taking an item: two bright bell tones. */
static Buffer Pickup(void) {
    Buffer b = NewBuffer(0.8);
    AddBell(&b, 0.0, 1046.5, 0.18, 0.5f);
    AddBell(&b, 0.09, 1568.0, 0.25, 0.5f);
    Normalise(&b, 0.6f);
    return b;
}

/* ---- Ogg Vorbis output ------------------------------------------------------ */

static int WritePages(FILE* file, ogg_stream_state* stream, int flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(stream, &page) : ogg_stream_pageout(stream, &page)) {
        if (fwrite(page.header, 1, (size_t)page.header_len, file) != (size_t)page.header_len ||
            fwrite(page.body, 1, (size_t)page.body_len, file) != (size_t)page.body_len)
            return 0;
    }
    return 1;
}

static int WriteOgg(const char* path, const Buffer* b) {
    FILE* file = fopen(path, "wb");
    if (!file) {
        perror(path);
        return 0;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, RATE, 0.3f) != 0) {
        fprintf(stderr, "soundgen: the encoder refused mono %d Hz\n", RATE);
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
        fprintf(stderr, "soundgen: could not write %s\n", path);
    return ok;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: soundgen OUTPUT_FOLDER\n");
        return 2;
    }
    static const struct {
        const char* name;
        Buffer (*make)(void);
    } sounds[] = {
        {"amb_garden", GardenAmbience},
        {"amb_study", StudyAmbience},
        {"click", Click},
        {"door", Door},
        {"drawer", Drawer},
        {"pickup", Pickup},
        {"amb_desk", StudyAmbience}, /* the desk top keeps the study's clock */
        {"amb_shed", GardenAmbience}, /* the shed hears the garden */
        {"amb_greenhouse", GardenAmbience}, /* the glasshouse stands in the garden */
        {"amb_greenhouse_shelves", GardenAmbience},
    };
    int ok = 1;
    for (size_t i = 0; i < sizeof(sounds) / sizeof(sounds[0]); ++i) {
        noise_state = 12345u + (unsigned int)i; /* each sound its own fixed noise */
        Buffer b = sounds[i].make();
        char path[4096];
        snprintf(path, sizeof(path), "%s/%s.ogg", argv[1], sounds[i].name);
        if (WriteOgg(path, &b))
            printf("%s (%.2f s)\n", path, (double)b.count / RATE);
        else
            ok = 0;
        free(b.data);
    }
    return ok ? 0 : 1;
}
