/* synth: the building blocks soundgen (effects and ambience) and musicgen
 * (the music) share: a fixed-seed noise source, a one-pole low-pass,
 * envelopes, a buffer of mono float samples at RATE, a few
 * struck and plucked voices, and the Ogg Vorbis writer.
 *
 * A Buffer owns its samples (free(b.data) when done). Every voice adds into
 * a buffer and stops at its end, so callers may place notes near the end
 * without checks. Nothing here keeps state besides the noise generator,
 * which callers reseed per sound to keep the output reproducible. */
#ifndef TARROW_SYNTH_H
#define TARROW_SYNTH_H

#define RATE 22050
#define TWO_PI 6.283185307179586
#define PI 3.141592653589793

typedef struct {
    float* data;
    int count;
} Buffer;

typedef struct { /* one-pole low-pass */
    float a, y;
} LowPass;

void NoiseSeed(unsigned int seed);
float Noise(void); /* white noise in -1..1 */

LowPass LowPassAt(float cutoff_hz);
float LowPassRun(LowPass* f, float x);

/* Rises linearly over attack seconds, then falls exponentially with the
 * given time constant; 0 before t = 0. */
float Envelope(double t, double attack, double decay);

Buffer NewBuffer(double seconds);
/* Scales the buffer so its loudest sample reaches peak. */
void Normalise(Buffer* b, float peak);
/* Cross-fades the last fade seconds into the first ones and cuts them off,
 * so the end flows into the start. */
void CloseLoop(Buffer* b, double fade);

/* A sine sweeping from f0 to f1 with a rounded envelope. */
void AddChirp(Buffer* b, double start, double length, double f0, double f1, float gain);
/* A struck tone: a sine with inharmonic upper partials, decaying. */
void AddBell(Buffer* b, double start, double freq, double decay, float gain);
/* A burst of band-limited noise with a woody resonance at freq. */
void AddTick(Buffer* b, double start, double freq, float gain);
/* Low-passed noise shaped by a sine-squared swell over length seconds. */
void AddWhoosh(Buffer* b, double start, double length, float cutoff_hz, float gain);

/* Noise through a low-pass whose cutoff glides from f0 to f1: air that
 * opens (rising) or closes (falling), shaped like AddWhoosh. */
void AddSweep(Buffer* b, double start, double length, double f0, double f1, float gain);
/* A muffled footstep or knock: a short burst of dark noise. */
void AddStep(Buffer* b, double start, float gain);

/* Writes the buffer as mono Ogg Vorbis at RATE with the given VBR quality
 * (-0.1 smallest .. 1 best); returns 0 and says why on failure. */
int WriteOgg(const char* path, const Buffer* b, float quality);

#endif
