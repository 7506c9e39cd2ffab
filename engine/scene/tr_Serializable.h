// tr_Serializable: anything that loads and saves its attributes through a
// serialization helper. No data; the helper is borrowed for the call only.
#pragma once

class tr_SLHelper;

class tr_Serializable {
public:
    virtual void Load(tr_SLHelper& helper) = 0;
    virtual void Save(tr_SLHelper& helper) = 0;
    virtual ~tr_Serializable() = default;
};
