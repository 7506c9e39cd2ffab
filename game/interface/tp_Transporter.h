// tp_Transporter: the interface widget (type 25, z 999) that flies objects
// across the screen: a found item into the inventory or the task panel, an
// inventory item to the cursor, an item from the cursor back to its slot. It
// re-parents the flying object under itself for the flight (so the object is
// then owned through the transporter's subtree), moves, scales and fades it
// along a path per transfer type, fades the destination, runs the end
// trigger (queued) and, for cursor-to-inventory flights, attaches the object
// to its destination at the end. It has no module.
//
// Objects and destinations are held weakly: a transfer whose object dies is
// dropped, one whose destination dies flies to the last place it was seen.
// Every accepted command queues its end trigger exactly once.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

#include <string>
#include <vector>

class tp_Transporter : public tp_InterfaceWidget {
public:
    enum TransferType : int {
        TRANS_SCENE_TO_INVENTORY = 0,
        TRANS_SCENE_TO_TASK_PANEL = 1,
        TRANS_INVENTORY_TO_CURSOR = 2,
        TRANS_CURSOR_TO_INVENTORY = 3,
    };

    struct Transfer {
        int type = 0;
        float elapsed = 0.0f;
        float duration = 0.0f;
        float early_time = 0.0f;
        tr_ObjectRef object;
        tr_ObjectRef destination;
        std::string end_trigger;
        float start_x = 0.0f;
        float start_y = 0.0f;
        float start_z = 0.0f;
        float start_scale = 1.0f;
        float end_scale = 1.0f;
        bool show_destination = true;
        // Last known destination position, used once the destination dies.
        float target_x = 0.0f;
        float target_y = 0.0f;
    };

    explicit tp_Transporter(const std::string& name);

    // Starts a transfer; false (with the end trigger queued) when the
    // command cannot fly: unknown type, missing or reserved object, or
    // missing destination of a type that flies to one.
    bool MoveObject(const std::string& object_name, const std::string& destination_name,
                    const std::string& end_trigger, int type, bool show_destination,
                    float early_time, float end_scale);
    // Ends the first transfer of a type at once; false when none runs.
    bool Finish(int type);

    const std::vector<Transfer>& GetTransfers() const { return transfers_; }

    std::string GetType() const override { return "transporter"; }
    void Update(const tr_FrameInfo& frame) override;

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    // Where world point (x, y) lies in the space of the transporter's parent.
    void ToParentSpace(float& x, float& y);
    // The object's position in the transporter's parent space.
    void PositionInParentSpace(tr_Object* object, float& x, float& y);
    // Advances one transfer; true when it has ended and must be removed.
    bool Advance(Transfer& transfer, float dt);
    void MoveSceneToInventory(Transfer& transfer);
    void MoveSceneToTaskPanel(Transfer& transfer);
    void MoveInventoryToCursor(Transfer& transfer, float t);
    void MoveCursorToInventory(Transfer& transfer, float t);
    void QueueEndTrigger(Transfer& transfer);

    std::vector<Transfer> transfers_;
};
