#include "engine/render/tr_Matrix.h"

#include <cmath>

tr_Matrix tr_Matrix::Translation(float x, float y) {
    tr_Matrix r;
    r.m[12] = x;
    r.m[13] = y;
    return r;
}

tr_Matrix tr_Matrix::Scale(float sx, float sy) {
    tr_Matrix r;
    r.m[0] = sx;
    r.m[5] = sy;
    return r;
}

tr_Matrix tr_Matrix::Rotation(float angle) {
    tr_Matrix r;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    r.m[0] = c;
    r.m[1] = -s;
    r.m[4] = s;
    r.m[5] = c;
    return r;
}

tr_Matrix tr_Matrix::operator*(const tr_Matrix& o) const {
    tr_Matrix r;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += m[row * 4 + k] * o.m[k * 4 + col];
            r.m[row * 4 + col] = sum;
        }
    }
    return r;
}

bool tr_Matrix::operator==(const tr_Matrix& o) const {
    for (int i = 0; i < 16; ++i)
        if (m[i] != o.m[i])
            return false;
    return true;
}

bool tr_Matrix::Inverse2D(tr_Matrix& out) const {
    const float det = m[0] * m[5] - m[1] * m[4];
    if (det == 0.0f || !std::isfinite(det))
        return false;
    const float inv = 1.0f / det;
    tr_Matrix r;
    r.m[0] = m[5] * inv;
    r.m[1] = -m[1] * inv;
    r.m[4] = -m[4] * inv;
    r.m[5] = m[0] * inv;
    r.m[12] = -(m[12] * r.m[0] + m[13] * r.m[4]);
    r.m[13] = -(m[12] * r.m[1] + m[13] * r.m[5]);
    out = r;
    return true;
}

tr_Matrix tr_MakeTransform(float x, float y, float angle, float sx, float sy) {
    // Scale * Rotation * Translation written out: the full products cost a
    // few hundred operations for every moving object every frame, and give
    // these same values (their other terms are exact zeros and ones).
    tr_Matrix r;
    if (angle != 0.0f) {
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        r.m[0] = sx * c;
        r.m[1] = sx * -s;
        r.m[4] = sy * s;
        r.m[5] = sy * c;
    } else {
        r.m[0] = sx;
        r.m[5] = sy;
    }
    r.m[12] = x;
    r.m[13] = y;
    return r;
}
