#pragma once
// Arithmetic helpers of the runtime library.
#include "platform/rtl/Types.h"

// Half to even; EInvalidOp when the result does not fit 64 bits (or for NaN).
Int64 Round(Extended value);
// Towards zero; EInvalidOp when out of the 64-bit range.
Int64 Trunc(Extended value);
Extended Frac(Extended value);
Extended Int(Extended value);
// Integer results; EInvalidOp when out of the int range.
int Ceil(Extended value);
int Floor(Extended value);
Int64 Ceil64(Extended value);
Int64 Floor64(Extended value);

Extended Power(Extended base, Extended exponent);
Extended IntPower(Extended base, int exponent);
Extended Ln(Extended value);
Extended Log10(Extended value);
Extended Log2(Extended value);
Extended Sqr(Extended value);

// a * b / c rounded half away from zero, with a 64-bit intermediate; -1 when c is 0 or on overflow.
int MulDiv(int a, int b, int c);

inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }
inline Int64 Max(Int64 a, Int64 b) { return a > b ? a : b; }
inline Int64 Min(Int64 a, Int64 b) { return a < b ? a : b; }
inline double Max(double a, double b) { return a > b ? a : b; }
inline double Min(double a, double b) { return a < b ? a : b; }
inline Extended Max(Extended a, Extended b) { return a > b ? a : b; }
inline Extended Min(Extended a, Extended b) { return a < b ? a : b; }

inline int Sign(Int64 value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }
inline int Sign(double value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }
inline int Sign(Extended value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }

// Epsilon 0 picks a tolerance scaled to the operands (1e-12 relative for double, 1e-16 for Extended).
bool SameValue(double a, double b, double epsilon = 0);
bool SameValue(Extended a, Extended b, Extended epsilon = 0);
bool IsZero(double value, double epsilon = 0);
bool IsZero(Extended value, Extended epsilon = 0);
bool IsNan(double value);
bool IsInfinite(double value);
bool InRange(Int64 value, Int64 lo, Int64 hi);
bool InRange(double value, double lo, double hi);
int EnsureRange(int value, int lo, int hi);
double EnsureRange(double value, double lo, double hi);

// The 10-byte little-endian x87 extended format of stored streams.
void DoubleToExtended80(double value, Byte out[10]);
double Extended80ToDouble(const Byte in[10]);
