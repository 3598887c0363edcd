#pragma once
// Streamable float points: a value is stored only when it differs from the default given at
// construction.
#include "chart/canvas/ZebPersistent.h"

// A settings block of an owner (its name path) with a change event.
class TPointBlock : public TZebPersistent {
    TV_CLASS(TPointBlock, TZebPersistent)
public:
    explicit TPointBlock(TPersistent* owner = nullptr, TNotifyEvent onChange = {})
        : TZebPersistent(std::move(onChange)), owner_(owner)
    {
    }

protected:
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

// X and Y of 32-bit floats. A coordinate of 0 against a default that is not 0 is stored as the
// extra Boolean "XZero" or "YZero", since a stored 0 could not be told from a missing value.
class TPointXYFloat : public TPointBlock {
    TV_CLASS(TPointXYFloat, TPointBlock)
public:
    explicit TPointXYFloat(TPersistent* owner = nullptr, TNotifyEvent onChange = {}, float defaultValue = 0);
    void Assign(TPersistent* source) override;

    float X() const { return x_; }
    void SetX(float value);
    float Y() const { return y_; }
    void SetY(float value);
    float DefaultValue() const { return default_; }

    bool XZero() const { return x_ == 0 && default_ != 0; }
    void SetXZero(bool value);
    bool YZero() const { return y_ == 0 && default_ != 0; }
    void SetYZero(bool value);
    bool IsXStored() const { return x_ != default_; }
    bool IsYStored() const { return y_ != default_; }

private:
    float x_, y_, default_;
};

class TFloatXY : public TZebPersistent {
    TV_CLASS(TFloatXY, TZebPersistent)
public:
    explicit TFloatXY(TNotifyEvent onChange = {}, float defaultX = 0, float defaultY = 0);
    void Assign(TPersistent* source) override;

    float X() const { return x_; }
    void SetX(float value);
    float Y() const { return y_; }
    void SetY(float value);
    bool IsXStored() const { return x_ != defaultX_; }
    bool IsYStored() const { return y_ != defaultY_; }

private:
    float x_, y_, defaultX_, defaultY_;
};

class TFloatXYZ : public TFloatXY {
    TV_CLASS(TFloatXYZ, TFloatXY)
public:
    explicit TFloatXYZ(TNotifyEvent onChange = {}, float defaultX = 0, float defaultY = 0, float defaultZ = 0);
    void Assign(TPersistent* source) override;

    float Z() const { return z_; }
    void SetZ(float value);
    bool IsZStored() const { return z_ != defaultZ_; }

private:
    float z_, defaultZ_;
};
