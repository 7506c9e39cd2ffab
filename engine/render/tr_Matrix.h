// tr_Matrix: 4x4 float matrix, row-major, row-vector convention (p' = p * M,
// translation in elements 12 and 13). Value type shared by the scene's
// transforms and the renderer.
#pragma once

struct tr_Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }

    static tr_Matrix Identity() { return tr_Matrix(); }
    static tr_Matrix Translation(float x, float y);
    static tr_Matrix Scale(float sx, float sy);
    static tr_Matrix Rotation(float angle);

    // this * other: applies this first, then other (row-vector convention).
    tr_Matrix operator*(const tr_Matrix& other) const;
    bool operator==(const tr_Matrix& other) const;

    // Transforms the point (x, y, 0, 1) in place. Inline: it runs for every
    // corner of every quad drawn.
    void TransformPoint(float& x, float& y) const {
        const float nx = x * m[0] + y * m[4] + m[12];
        const float ny = x * m[1] + y * m[5] + m[13];
        x = nx;
        y = ny;
    }

    // Inverse of the 2D affine part; returns false (and leaves out untouched)
    // when the matrix is singular, e.g. under a scale of 0.
    bool Inverse2D(tr_Matrix& out) const;
};

// Scale (sx, sy), then rotation by angle, then translation (x, y); neutral
// steps are skipped so an untransformed object keeps an exact identity.
tr_Matrix tr_MakeTransform(float x, float y, float angle, float sx, float sy);
