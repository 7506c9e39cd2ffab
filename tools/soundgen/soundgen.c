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

/* The greenhouse: warm still air and water dripping from the leaves onto
 * the glass and the soil, at uneven moments. */
static Buffer GreenhouseAmbience(void) {
    Buffer b = NewBuffer(10.5);
    LowPass air = LowPassAt(260.0f);
    for (int i = 0; i < b.count; ++i)
        b.data[i] = 0.5f * LowPassRun(&air, Noise());
    for (double t = 0.2; t < 9.8;) {
        const double pitch = 1700.0 + 500.0 * Noise();
        AddBell(&b, t, pitch, 0.035, 0.12f);
        AddChirp(&b, t, 0.03, pitch * 1.2, pitch * 0.8, 0.05f);
        t += 0.45 + 0.35 * (Noise() + 1.0);
    }
    CloseLoop(&b, 0.5);
    Normalise(&b, 0.4f);
    return b;
}

/* The attic: wind rising and falling in the rafters, a beam creaking. */
static Buffer AtticAmbience(void) {
    Buffer b = NewBuffer(12.5);
    LowPass lo = LowPassAt(900.0f), hi = LowPassAt(250.0f);
    for (int i = 0; i < b.count; ++i) {
        const double t = (double)i / RATE;
        const float gust = 0.5f + 0.5f * (float)sin(TWO_PI * t / 6.0 + 0.3);
        const float n = Noise();
        /* a band of noise (difference of low-passes) whistles more than a
         * plain low-pass does */
        b.data[i] = gust * gust * (LowPassRun(&lo, n) - LowPassRun(&hi, n));
    }
    for (int k = 0; k < 2; ++k) {
        AddChirp(&b, 3.1 + 6.0 * k, 0.5, 140.0, 105.0, 0.18f);
        AddTick(&b, 3.1 + 6.0 * k, 220.0, 0.2f);
    }
    CloseLoop(&b, 0.5);
    Normalise(&b, 0.4f);
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
    AddStep(&b, 0.25, 3.0f);
    AddStep(&b, 0.57, 3.0f);
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

/* ---- effects for the player's actions (assets/sounds/README names where) -- */

/* A thing found in a scene: three quick rising bells and a glint. */
static Buffer Find(void) {
    Buffer b = NewBuffer(0.8);
    AddBell(&b, 0.0, 1318.5, 0.12, 0.45f);
    AddBell(&b, 0.06, 1760.0, 0.14, 0.45f);
    AddBell(&b, 0.12, 2637.0, 0.22, 0.4f);
    AddChirp(&b, 0.1, 0.25, 3000.0, 4200.0, 0.1f);
    Normalise(&b, 0.6f);
    return b;
}

/* A click on nothing in a scene: a soft, dull knock that falls. */
static Buffer Miss(void) {
    Buffer b = NewBuffer(0.35);
    AddStep(&b, 0.0, 2.0f);
    AddChirp(&b, 0.0, 0.2, 420.0, 240.0, 0.5f);
    Normalise(&b, 0.45f);
    return b;
}

/* An item flying into the inventory: a swish, then it lands with two bells. */
static Buffer Inventory(void) {
    Buffer b = NewBuffer(0.9);
    AddSweep(&b, 0.0, 0.35, 2500.0, 600.0, 1.2f);
    AddBell(&b, 0.3, 784.0, 0.2, 0.5f);
    AddBell(&b, 0.38, 1174.7, 0.3, 0.45f);
    Normalise(&b, 0.6f);
    return b;
}

/* An item used where it belongs: a firm clunk and a rising pair of bells. */
static Buffer Use(void) {
    Buffer b = NewBuffer(0.9);
    AddTick(&b, 0.0, 300.0, 1.2f);
    AddStep(&b, 0.0, 1.5f);
    AddBell(&b, 0.08, 880.0, 0.2, 0.45f);
    AddBell(&b, 0.18, 1318.5, 0.3, 0.45f);
    Normalise(&b, 0.6f);
    return b;
}

/* An item refused (dropped where it does nothing): two low notes falling. */
static Buffer Refuse(void) {
    Buffer b = NewBuffer(0.55);
    AddBell(&b, 0.0, 311.1, 0.08, 0.5f);
    AddBell(&b, 0.13, 233.1, 0.12, 0.5f);
    Normalise(&b, 0.45f);
    return b;
}

/* A close-up opening: air rising and a soft upward glide. */
static Buffer CloseupOpen(void) {
    Buffer b = NewBuffer(0.5);
    AddSweep(&b, 0.0, 0.45, 400.0, 3000.0, 1.4f);
    AddChirp(&b, 0.05, 0.35, 520.0, 880.0, 0.15f);
    Normalise(&b, 0.5f);
    return b;
}

/* A close-up closing: the same air falling. */
static Buffer CloseupClose(void) {
    Buffer b = NewBuffer(0.45);
    AddSweep(&b, 0.0, 0.4, 3000.0, 400.0, 1.4f);
    AddChirp(&b, 0.0, 0.3, 880.0, 520.0, 0.15f);
    Normalise(&b, 0.5f);
    return b;
}

/* The menu opening: two soft notes up; closing: the same two down. */
static Buffer MenuOpen(void) {
    Buffer b = NewBuffer(0.6);
    AddSweep(&b, 0.0, 0.2, 800.0, 2000.0, 0.6f);
    AddBell(&b, 0.0, 659.3, 0.12, 0.45f);
    AddBell(&b, 0.09, 987.8, 0.2, 0.45f);
    Normalise(&b, 0.5f);
    return b;
}

static Buffer MenuClose(void) {
    Buffer b = NewBuffer(0.6);
    AddSweep(&b, 0.0, 0.2, 2000.0, 800.0, 0.6f);
    AddBell(&b, 0.0, 987.8, 0.12, 0.45f);
    AddBell(&b, 0.09, 659.3, 0.2, 0.45f);
    Normalise(&b, 0.5f);
    return b;
}

/* A dialog appearing: a paper swish and one warm bell. */
static Buffer Dialog(void) {
    Buffer b = NewBuffer(0.7);
    AddSweep(&b, 0.0, 0.25, 1200.0, 3500.0, 0.8f);
    AddBell(&b, 0.08, 1046.5, 0.3, 0.4f);
    AddBell(&b, 0.08, 523.3, 0.35, 0.25f);
    Normalise(&b, 0.5f);
    return b;
}

/* A page of the guide turning: a swish of paper with a crackle. */
static Buffer Page(void) {
    Buffer b = NewBuffer(0.4);
    AddSweep(&b, 0.0, 0.35, 5000.0, 1500.0, 1.6f);
    for (int k = 0; k < 4; ++k)
        AddTick(&b, 0.05 + 0.06 * k, 3500.0 - 300.0 * k, 0.15f);
    Normalise(&b, 0.5f);
    return b;
}

/* The map unfolding: two swishes of stiff paper. */
static Buffer MapOpen(void) {
    Buffer b = NewBuffer(0.7);
    AddSweep(&b, 0.0, 0.3, 1500.0, 4500.0, 1.4f);
    AddSweep(&b, 0.25, 0.4, 4500.0, 1200.0, 1.2f);
    AddTick(&b, 0.27, 2000.0, 0.3f);
    Normalise(&b, 0.5f);
    return b;
}

/* Travelling by the map: air and three footsteps. */
static Buffer Travel(void) {
    Buffer b = NewBuffer(1.1);
    AddWhoosh(&b, 0.0, 1.1, 600.0, 0.8f);
    for (int k = 0; k < 3; ++k)
        AddStep(&b, 0.2 + 0.27 * k, 3.0f);
    Normalise(&b, 0.6f);
    return b;
}

/* A hint: a quick shimmer of four bells rising and a sparkle. */
static Buffer Hint(void) {
    Buffer b = NewBuffer(1.0);
    static const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int k = 0; k < 4; ++k)
        AddBell(&b, 0.05 * k, notes[k], 0.25, 0.3f);
    AddChirp(&b, 0.2, 0.4, 2800.0, 4000.0, 0.08f);
    Normalise(&b, 0.55f);
    return b;
}

/* A skip: air rushing forward and a tone that sweeps up. */
static Buffer Skip(void) {
    Buffer b = NewBuffer(0.55);
    AddSweep(&b, 0.0, 0.45, 500.0, 4000.0, 1.3f);
    AddChirp(&b, 0.05, 0.4, 600.0, 1800.0, 0.25f);
    Normalise(&b, 0.55f);
    return b;
}

/* A dial turning a quarter: a brass ratchet and a small ping. */
static Buffer Dial(void) {
    Buffer b = NewBuffer(0.3);
    for (int k = 0; k < 3; ++k)
        AddTick(&b, 0.03 * k, 2500.0 - 200.0 * k, 0.6f);
    AddBell(&b, 0.09, 2217.0, 0.05, 0.2f);
    Normalise(&b, 0.55f);
    return b;
}

/* A puzzle solved: a bright arpeggio up to a held chord. */
static Buffer Solved(void) {
    Buffer b = NewBuffer(1.6);
    static const double notes[] = {523.3, 659.3, 784.0, 1046.5};
    for (int k = 0; k < 4; ++k)
        AddBell(&b, 0.09 * k, notes[k], 0.3, 0.4f);
    for (int k = 0; k < 3; ++k)
        AddBell(&b, 0.45, notes[k + 1], 0.5, 0.3f);
    Normalise(&b, 0.6f);
    return b;
}

/* A tutorial step: one gentle chime. */
static Buffer Tutorial(void) {
    Buffer b = NewBuffer(0.7);
    AddBell(&b, 0.0, 880.0, 0.25, 0.5f);
    AddBell(&b, 0.0, 1760.0, 0.12, 0.15f);
    Normalise(&b, 0.45f);
    return b;
}

/* A hidden-object scene complete: a rising fanfare of bells and sparkles. */
static Buffer SceneDone(void) {
    Buffer b = NewBuffer(2.0);
    static const double notes[] = {784.0, 987.8, 1174.7, 1568.0};
    for (int k = 0; k < 4; ++k)
        AddBell(&b, 0.12 * k, notes[k], 0.3, 0.4f);
    for (int k = 0; k < 4; ++k)
        AddBell(&b, 0.6, notes[k], 0.6, 0.25f);
    for (int k = 0; k < 5; ++k)
        AddChirp(&b, 0.6 + 0.15 * k, 0.12, 3000.0 + 300.0 * k, 4200.0, 0.06f);
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
        {"find", Find},
        {"miss", Miss},
        {"inventory", Inventory},
        {"use", Use},
        {"refuse", Refuse},
        {"closeup_open", CloseupOpen},
        {"closeup_close", CloseupClose},
        {"menu_open", MenuOpen},
        {"menu_close", MenuClose},
        {"dialog", Dialog},
        {"page", Page},
        {"map_open", MapOpen},
        {"travel", Travel},
        {"hint", Hint},
        {"skip", Skip},
        {"dial", Dial},
        {"solved", Solved},
        {"tutorial", Tutorial},
        {"scene_done", SceneDone},
        /* the rooms added later: the shelves scene hears its greenhouse, and
         * the ending the house's clock again */
        {"amb_greenhouse", GreenhouseAmbience},
        {"amb_greenhouse_shelves", GreenhouseAmbience},
        {"amb_attic", AtticAmbience},
        {"amb_ending", StudyAmbience},
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
