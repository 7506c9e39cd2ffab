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
#include "synth.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

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
    AddWhoosh(&b, 0.0, 0.9, 700.0f, 1.0f);
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
        const float slide = t < 0.5 ? (float)sin(PI * t / 0.5) : 0.0f;
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
        {"amb_desk", StudyAmbience},  /* the desk top keeps the study's clock */
        {"amb_shed", GardenAmbience}, /* the shed hears the garden */
    };
    int ok = 1;
    for (size_t i = 0; i < sizeof(sounds) / sizeof(sounds[0]); ++i) {
        NoiseSeed(12345u + (unsigned int)i); /* each sound its own fixed noise */
        Buffer b = sounds[i].make();
        char path[4096];
        snprintf(path, sizeof(path), "%s/%s.ogg", argv[1], sounds[i].name);
        if (WriteOgg(path, &b, 0.3f))
            printf("%s (%.2f s)\n", path, (double)b.count / RATE);
        else
            ok = 0;
        free(b.data);
    }
    return ok ? 0 : 1;
}
