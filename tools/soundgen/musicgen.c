/* musicgen: composes and synthesises the demo's music loops and writes them
 * as Ogg Vorbis.
 *
 *   musicgen OUTPUT_FOLDER
 *
 * Each piece is a chord per bar, a melody over it and an accompaniment, all
 * played by simple additive instruments with envelopes (no samples, no
 * recordings). The melody is drawn from the chords by a fixed-seed walk:
 * phrases of four bars that share a letter in the piece's form reuse the same
 * choices, so themes come back. The buffer is exactly the loop's length and
 * every note tail (and the echo) that rings past the end wraps round to the
 * start, so the loop joins without a seam. Deterministic output; built by
 * tools/soundgen/make_sounds.sh. */
#include "synth.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef enum { PIANO, PLUCK, PAD, BASS, FLUTE, MUSICBOX } Instrument;
typedef enum { ARPEGGIO, WALTZ, HELD } Accompaniment;

typedef struct {
    const char* name;
    int key;   /* MIDI note of the tonic, the accompaniment's octave */
    int minor; /* natural minor instead of major */
    double bpm;
    int beats;          /* per bar */
    const char* chords; /* one scale degree per bar, '1'..'7' */
    const char* form;   /* one letter per four bars; equal letters, equal choices */
    int busy;           /* how many of the bar rhythms the melody may use */
    Instrument lead;
    Accompaniment comp;
    Instrument comp_voice;
    unsigned int seed;
} Piece;

/* ---- instruments ----------------------------------------------------------- */

static double Hz(int midi) {
    return 440.0 * pow(2.0, (midi - 69) / 12.0);
}

/* One note of length seconds (held; the instrument's release follows). Samples
 * past the loop's end land at its start. */
static void AddNote(Buffer* b, double start, double length, int midi, Instrument voice,
                    float gain) {
    const double f = Hz(midi);
    const double release = voice == PAD ? 1.2 : voice == FLUTE ? 0.15 : 0.3;
    const double ring = voice == MUSICBOX ? 2.5 : voice == PIANO || voice == PLUCK ? 1.6 : 0.0;
    const int n = (int)((length + release + ring) * RATE);
    const int first = (int)(start * RATE);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = (double)i / RATE;
        /* after the note is let go, everything fades out over release */
        const double let_go = t > length ? exp(-(t - length) / (release / 3.0)) : 1.0;
        double s = 0.0, env = 1.0;
        switch (voice) {
        case PIANO: /* soft hammer: bright start, mellow decay */
            env = Envelope(t, 0.006, 0.9 - (midi - 60) * 0.01) * let_go;
            s = sin(TWO_PI * f * t) + 0.35 * sin(TWO_PI * 2 * f * t) * exp(-t * 3.0) +
                0.12 * sin(TWO_PI * 3 * f * t) * exp(-t * 6.0);
            break;
        case PLUCK: /* a nylon string: quick decay, upper partials gone first */
            env = Envelope(t, 0.003, 0.45) * let_go;
            s = sin(TWO_PI * f * t) + 0.5 * sin(TWO_PI * 2 * f * t) * exp(-t * 5.0) +
                0.25 * sin(TWO_PI * 3 * f * t) * exp(-t * 9.0);
            break;
        case PAD: /* three slightly detuned voices swelling in */
            env = (t < 0.6 ? t / 0.6 : 1.0) * let_go;
            s = sin(TWO_PI * f * t) + 0.6 * sin(TWO_PI * f * 1.003 * t + 1.0) +
                0.6 * sin(TWO_PI * f * 0.997 * t + 2.0) + 0.2 * sin(TWO_PI * 2 * f * t);
            s *= 0.8 + 0.2 * sin(TWO_PI * 0.7 * t);
            break;
        case BASS:
            env = Envelope(t, 0.01, 1.4) * let_go;
            s = sin(TWO_PI * f * t) + 0.25 * sin(TWO_PI * 2 * f * t);
            break;
        case FLUTE: { /* breathy sine with a vibrato that sets in late */
            const double vib = 1.0 + 0.004 * sin(TWO_PI * 5.0 * t) * (t > 0.3 ? 1.0 : t / 0.3);
            phase += TWO_PI * f * vib / RATE;
            env = (t < 0.07 ? t / 0.07 : 0.85 + 0.15 * exp(-(t - 0.07) * 4.0)) * let_go;
            s = sin(phase) + 0.15 * sin(2 * phase) + 0.05 * sin(3 * phase) + 0.03 * Noise();
            break;
        }
        case MUSICBOX: /* a plucked steel tooth: partials at 1, 3 and an inharmonic 5.9 */
            env = Envelope(t, 0.002, 1.1);
            s = sin(TWO_PI * f * t) + 0.3 * sin(TWO_PI * 3 * f * t) * exp(-t * 4.0) +
                0.15 * sin(TWO_PI * 5.9 * f * t) * exp(-t * 9.0);
            break;
        }
        b->data[(first + i) % b->count] += gain * (float)(env * s);
    }
}

/* A circular echo: two passes round the loop so the end's echo reaches the
 * start too. */
static void Echo(Buffer* b, double delay, float feedback, float mix) {
    const int d = (int)(delay * RATE);
    float* wet = (float*)calloc((size_t)b->count, sizeof(float));
    if (!wet || d <= 0 || d >= b->count) {
        free(wet);
        return;
    }
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 0; i < b->count; ++i) {
            const int from = (i - d + b->count) % b->count;
            wet[i] = b->data[from] + feedback * wet[from];
        }
    for (int i = 0; i < b->count; ++i)
        b->data[i] += mix * wet[i];
    free(wet);
}

/* ---- composition ------------------------------------------------------------ */

/* MIDI note of a scale step counted from the tonic (7 steps an octave). */
static int Step(const Piece* p, int step) {
    static const int major[7] = {0, 2, 4, 5, 7, 9, 11};
    static const int minor[7] = {0, 2, 3, 5, 7, 8, 10};
    const int octave = step >= 0 ? step / 7 : -((-step + 6) / 7);
    const int degree = step - octave * 7;
    return p->key + 12 * octave + (p->minor ? minor : major)[degree];
}

static unsigned int choice_state;

static int Choose(int n) { /* 0..n-1 from the phrase's own walk */
    choice_state = choice_state * 1103515245u + 12345u;
    return (int)((choice_state >> 16) % (unsigned int)n);
}

/* Bar rhythms in beats, from calm to busy; a phrase's last bar holds. */
static const double rhythm4[][5] = {{4},       {2, 2},        {3, 1},      {1, 1, 2},
                                    {2, 1, 1}, {1.5, 0.5, 2}, {1, 1, 1, 1}};
static const double rhythm3[][5] = {{3}, {2, 1}, {1, 2}, {1, 1, 1}, {1.5, 0.5, 1}};

/* The melody of one bar over chord degree root (0-based); pos is the walk's
 * scale step, kept between a ninth and two octaves above the tonic. */
static void MelodyBar(Buffer* b, const Piece* p, double bar_start, int root, int closing,
                      int* pos) {
    const double beat = 60.0 / p->bpm;
    const double(*rhythms)[5] = p->beats == 3 ? rhythm3 : rhythm4;
    const int count = p->beats == 3 ? 5 : 7;
    const double* rhythm =
        rhythms[closing ? 0 : 1 + Choose(p->busy < count - 1 ? p->busy : count - 1)];
    double at = 0.0;
    for (int k = 0; k < 5 && at < p->beats - 0.01; ++k) {
        const double len = rhythm[k];
        if (len <= 0.0)
            break;
        if (at == 0.0 || closing) {
            /* strong beats sit on a chord tone next to (or at) the nearest one */
            int tones[8], n = 0, nearest = 0;
            for (int step = 8; step <= 15; ++step)
                if ((((step - root) % 7 + 7) % 7) % 2 == 0 && ((step - root) % 7 + 7) % 7 != 6)
                    tones[n++] = step;
            for (int t = 1; t < n; ++t)
                if (abs(tones[t] - *pos) < abs(tones[nearest] - *pos))
                    nearest = t;
            if (!closing)
                nearest += Choose(3) - 1;
            *pos = tones[nearest < 0 ? 0 : nearest >= n ? n - 1 : nearest];
        } else {
            static const int moves[] = {-1, 1, -1, 1, 2, -2, 0};
            *pos += moves[Choose(7)];
            if (*pos < 8 || *pos > 15)
                *pos += *pos < 8 ? 2 : -2;
        }
        AddNote(b, bar_start + at * beat, len * beat * 0.95, Step(p, *pos), p->lead, 0.32f);
        at += len;
    }
}

/* The accompaniment of one bar: a bass root and the chord in the tonic's
 * octave, broken, in waltz steps or held. */
static void AccompanyBar(Buffer* b, const Piece* p, double bar_start, int root) {
    const double beat = 60.0 / p->bpm;
    const int chord[4] = {Step(p, root), Step(p, root + 2), Step(p, root + 4), Step(p, root + 7)};
    const int bass = Step(p, root) - 12 - (Step(p, root) - p->key >= 7 ? 12 : 0);
    AddNote(b, bar_start, p->beats * beat * 0.9, bass, BASS, 0.24f);
    switch (p->comp) {
    case ARPEGGIO: {
        static const int order[] = {0, 1, 2, 3, 2, 1, 0, 1};
        for (int k = 0; k < p->beats * 2; ++k)
            AddNote(b, bar_start + k * beat / 2, beat / 2, chord[order[k % 8]], p->comp_voice,
                    0.12f);
        break;
    }
    case WALTZ:
        for (int k = 1; k < p->beats; ++k)
            for (int c = 0; c < 3; ++c)
                AddNote(b, bar_start + k * beat, beat * 0.6, chord[c], p->comp_voice, 0.07f);
        break;
    case HELD:
        for (int c = 0; c < 3; ++c)
            AddNote(b, bar_start, p->beats * beat * 0.92, chord[c], p->comp_voice, 0.06f);
        break;
    }
}

static Buffer Compose(const Piece* p) {
    const int bars = (int)strlen(p->chords);
    const double bar = p->beats * 60.0 / p->bpm;
    Buffer b = NewBuffer(bars * bar);
    int pos = 10;
    for (int i = 0; i < bars; ++i) {
        if (i % 4 == 0) /* a phrase starts: its letter picks its walk */
            choice_state = p->seed + (unsigned int)p->form[i / 4] * 7919u;
        const int root = p->chords[i] - '1';
        MelodyBar(&b, p, i * bar, root, i % 4 == 3, &pos);
        AccompanyBar(&b, p, i * bar, root);
    }
    Echo(&b, bar / p->beats * 0.75, 0.35f, 0.25f);
    Normalise(&b, 0.5f);
    return b;
}

/* ---- the pieces --------------------------------------------------------------- */

static const Piece pieces[] = {
    /* the title: a warm flute over a broken piano chord, D major */
    {"music_title", 62, 0, 76, 4, "164516254363", "AAB", 5, FLUTE, ARPEGGIO, PIANO, 11},
    /* the study: a quiet piano waltz, F major */
    {"music_study", 53, 0, 84, 3, "1415642515156251", "ABAC", 4, PIANO, WALTZ, PIANO, 23},
    /* the garden: flute and a plucked string, G major, a little livelier */
    {"music_garden", 55, 0, 100, 4, "156415412545", "ABA", 6, FLUTE, ARPEGGIO, PLUCK, 37},
    /* the greenhouse: plucked notes over a warm pad, A major */
    {"music_greenhouse", 57, 0, 88, 4, "146514651245", "AAB", 5, PLUCK, HELD, PAD, 41},
    /* the attic: slow piano over a pad in D minor, moonlit and still */
    {"music_attic", 50, 1, 66, 4, "16371645", "AB", 2, PIANO, HELD, PAD, 53},
    /* the ending: the music box itself, C major, in three */
    {"music_ending", 60, 0, 72, 3, "145615421465", "ABA", 3, MUSICBOX, HELD, PAD, 67},
};

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: musicgen OUTPUT_FOLDER\n");
        return 2;
    }
    int ok = 1;
    for (size_t i = 0; i < sizeof(pieces) / sizeof(pieces[0]); ++i) {
        NoiseSeed(777u + (unsigned int)i);
        Buffer b = Compose(&pieces[i]);
        char path[4096];
        snprintf(path, sizeof(path), "%s/%s.ogg", argv[1], pieces[i].name);
        /* the lowest quality keeps each loop small; soft tones lose little */
        if (WriteOgg(path, &b, -0.1f))
            printf("%s (%.2f s)\n", path, (double)b.count / RATE);
        else
            ok = 0;
        free(b.data);
    }
    return ok ? 0 : 1;
}
