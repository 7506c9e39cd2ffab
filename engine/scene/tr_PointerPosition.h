// tr_PointerPosition: where the live cursor stands. The input dispatch reads
// it when it makes up a mouse move or starts a drag; the cursor itself
// (tr_Cursor, which draws scene objects and so sits above the scene) is the
// one kind and moves it. Live() is the newest one made that still exists, or
// null; it is not owned here.
#pragma once

class tr_PointerPosition {
public:
    static const tr_PointerPosition* Live() { return live_; }

    float GetX() const { return x_; }
    float GetY() const { return y_; }

protected:
    // Becomes the live position, replacing any earlier one.
    tr_PointerPosition();
    ~tr_PointerPosition();
    tr_PointerPosition(const tr_PointerPosition&) = delete;
    tr_PointerPosition& operator=(const tr_PointerPosition&) = delete;

    void MoveTo(float x, float y) {
        x_ = x;
        y_ = y;
    }

private:
    static tr_PointerPosition* live_;
    float x_ = 0.0f;
    float y_ = 0.0f;
};
