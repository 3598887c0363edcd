#pragma once
// Types shared by the styled controls; value order is the stored order.
#include <cstdint>
#include <iterator>

#include "platform/classes/Sets.h"

enum TQMControlBorder {
    qmcbNone,
    qmcbFlat,
    qmcbColor,
    qmcb3DRaised,
    qmcb3DLowered,
    qmcbRaised,
    qmcbLowered,
    qmcbBumped,
    qmcbEtched,
    qmcbMacLowered,
    qmcbMacRaised,
    qmcbSoftLowered,
    qmcbSoftRaised
};
constexpr int QMControlBorderCount = qmcbSoftRaised + 1;
inline constexpr const char* TQMControlBorderNames[] = {
    "qmcbNone",   "qmcbFlat",   "qmcbColor",      "qmcb3DRaised",  "qmcb3DLowered",   "qmcbRaised",    "qmcbLowered",
    "qmcbBumped", "qmcbEtched", "qmcbMacLowered", "qmcbMacRaised", "qmcbSoftLowered", "qmcbSoftRaised"};
static_assert(std::size(TQMControlBorderNames) == qmcbSoftRaised + 1);

enum TQMBorderEdge { qmbeLeft, qmbeRight, qmbeTop, qmbeBottom };
inline constexpr const char* TQMBorderEdgeNames[] = {"qmbeLeft", "qmbeRight", "qmbeTop", "qmbeBottom"};
static_assert(std::size(TQMBorderEdgeNames) == qmbeBottom + 1);

// Stored as one byte: bit (1 << edge).
using TQMBorderEdges = TSet<TQMBorderEdge>;
constexpr TQMBorderEdges QMAllEdges{qmbeLeft, qmbeRight, qmbeTop, qmbeBottom};

enum TQMPictureOrient { qmpoTopLeft, qmpoTopRight, qmpoBottomLeft, qmpoBottomRight, qmpoCenter, qmpoTiled };
inline constexpr const char* TQMPictureOrientNames[] = {"qmpoTopLeft",     "qmpoTopRight", "qmpoBottomLeft",
                                                        "qmpoBottomRight", "qmpoCenter",   "qmpoTiled"};
static_assert(std::size(TQMPictureOrientNames) == qmpoTiled + 1);

enum TQMGradient { qmgNone, qmgLeftToRight, qmgRightToLeft, qmgTopToBottom, qmgBottomToTop };
inline constexpr const char* TQMGradientNames[] = {"qmgNone", "qmgLeftToRight", "qmgRightToLeft", "qmgTopToBottom",
                                                   "qmgBottomToTop"};
static_assert(std::size(TQMGradientNames) == qmgBottomToTop + 1);

enum TQMPanelLayout { qmplBottom, qmplMiddle, qmplTop };
inline constexpr const char* TQMPanelLayoutNames[] = {"qmplBottom", "qmplMiddle", "qmplTop"};
static_assert(std::size(TQMPanelLayoutNames) == qmplTop + 1);

using TQMBevelWidth = std::int32_t;  // 0 .. 2147483647

// Frame areas answered by the styled controls' hit testing.
constexpr int qmhaNone = 1280;
constexpr int qmhaFrame = 1281;
constexpr int qmhaBorderBand = 1282;
constexpr int qmhaStatusbar = 1284;
constexpr int qmhaSizeGrip = 1285;

// Platform hit-test answers the controls use.
constexpr int qmhtClient = 1;
constexpr int qmhtBottomRight = 17;
constexpr int qmhtBorder = 18;

constexpr int QMStatusbarHeight = 16;  // also the side of the size grip

// Pixel thickness a frame style reserves.
constexpr int QMBorderThickness(TQMControlBorder style)
{
    switch (style) {
    case qmcbNone: return 0;
    case qmcbFlat:
    case qmcbColor:
    case qmcbRaised:
    case qmcbLowered: return 1;
    default: return 2;
    }
}
