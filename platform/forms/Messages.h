#pragma once
// Window messages and the class library's notifications in use, and the codes they carry (hit-test
// answers, mouse-key flags, dialog codes).
#include "platform/forms/MessageRecord.h"

// Window messages.
constexpr Cardinal WM_NULL = 0x0000;
constexpr Cardinal WM_DESTROY = 0x0002;
constexpr Cardinal WM_MOVE = 0x0003;
constexpr Cardinal WM_SIZE = 0x0005;
constexpr Cardinal WM_SETFOCUS = 0x0007;
constexpr Cardinal WM_KILLFOCUS = 0x0008;
constexpr Cardinal WM_ENABLE = 0x000A;
constexpr Cardinal WM_SETTEXT = 0x000C;
constexpr Cardinal WM_GETTEXT = 0x000D;
constexpr Cardinal WM_PAINT = 0x000F;
constexpr Cardinal WM_CLOSE = 0x0010;
constexpr Cardinal WM_ERASEBKGND = 0x0014;
constexpr Cardinal WM_SYSCOLORCHANGE = 0x0015;
constexpr Cardinal WM_SHOWWINDOW = 0x0018;
constexpr Cardinal WM_SETCURSOR = 0x0020;
constexpr Cardinal WM_WINDOWPOSCHANGED = 0x0047;
constexpr Cardinal WM_NCHITTEST = 0x0084;
constexpr Cardinal WM_NCPAINT = 0x0085;
constexpr Cardinal WM_GETDLGCODE = 0x0087;
constexpr Cardinal WM_NCMOUSEMOVE = 0x00A0;
constexpr Cardinal WM_NCLBUTTONDOWN = 0x00A1;
constexpr Cardinal WM_NCLBUTTONUP = 0x00A2;
constexpr Cardinal WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr Cardinal WM_NCRBUTTONDOWN = 0x00A4;
constexpr Cardinal WM_NCRBUTTONUP = 0x00A5;
constexpr Cardinal WM_NCRBUTTONDBLCLK = 0x00A6;
constexpr Cardinal WM_NCMBUTTONDOWN = 0x00A7;
constexpr Cardinal WM_NCMBUTTONUP = 0x00A8;
constexpr Cardinal WM_NCMBUTTONDBLCLK = 0x00A9;
constexpr Cardinal WM_KEYDOWN = 0x0100;
constexpr Cardinal WM_KEYUP = 0x0101;
constexpr Cardinal WM_CHAR = 0x0102;
constexpr Cardinal WM_SYSKEYDOWN = 0x0104;
constexpr Cardinal WM_SYSKEYUP = 0x0105;
// A context menu is asked for; LParam packs the client position (x, y).
constexpr Cardinal WM_CONTEXTMENU = 0x007B;
constexpr Cardinal WM_COMMAND = 0x0111;
constexpr Cardinal WM_TIMER = 0x0113;
constexpr Cardinal WM_HSCROLL = 0x0114;
constexpr Cardinal WM_VSCROLL = 0x0115;
constexpr Cardinal WM_MOUSEMOVE = 0x0200;
constexpr Cardinal WM_LBUTTONDOWN = 0x0201;
constexpr Cardinal WM_LBUTTONUP = 0x0202;
constexpr Cardinal WM_LBUTTONDBLCLK = 0x0203;
constexpr Cardinal WM_RBUTTONDOWN = 0x0204;
constexpr Cardinal WM_RBUTTONUP = 0x0205;
constexpr Cardinal WM_RBUTTONDBLCLK = 0x0206;
constexpr Cardinal WM_MBUTTONDOWN = 0x0207;
constexpr Cardinal WM_MBUTTONUP = 0x0208;
constexpr Cardinal WM_MBUTTONDBLCLK = 0x0209;
constexpr Cardinal WM_MOUSEWHEEL = 0x020A;
constexpr Cardinal WM_CAPTURECHANGED = 0x0215;
constexpr Cardinal WM_USER = 0x0400;

// The class library's own notifications (CM_BASE = 0xB000).
constexpr Cardinal CM_BASE = 0xB000;
constexpr Cardinal CM_ACTIVATE = CM_BASE + 0;
constexpr Cardinal CM_DEACTIVATE = CM_BASE + 1;
constexpr Cardinal CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr Cardinal CM_COLORCHANGED = CM_BASE + 13;
constexpr Cardinal CM_FONTCHANGED = CM_BASE + 14;
constexpr Cardinal CM_CURSORCHANGED = CM_BASE + 15;
constexpr Cardinal CM_PARENTFONTCHANGED = CM_BASE + 17;
constexpr Cardinal CM_PARENTCOLORCHANGED = CM_BASE + 18;
constexpr Cardinal CM_HITTEST = CM_BASE + 19;
constexpr Cardinal CM_VISIBLECHANGED = CM_BASE + 20;
constexpr Cardinal CM_ENTER = CM_BASE + 21;
constexpr Cardinal CM_EXIT = CM_BASE + 22;
constexpr Cardinal CM_TEXTCHANGED = CM_BASE + 24;
constexpr Cardinal CM_MOUSEENTER = CM_BASE + 30;
constexpr Cardinal CM_MOUSELEAVE = CM_BASE + 31;
constexpr Cardinal CM_SHOWHINTCHANGED = CM_BASE + 34;
// LParam: the THintInfo (Forms.h) of the hint about to show; a result other than 0 cancels it.
constexpr Cardinal CM_HINTSHOW = CM_BASE + 48;
constexpr Cardinal CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr Cardinal CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr Cardinal CM_CANCELMODE = CM_BASE + 38;
constexpr Cardinal CM_FOCUSCHANGED = CM_BASE + 7;
constexpr Cardinal CM_WANTSPECIALKEY = CM_BASE + 46;
constexpr Cardinal CM_RELEASE = CM_BASE + 33;

// Hit-test answers.
constexpr intptr HTNOWHERE = 0;
constexpr intptr HTCLIENT = 1;
constexpr intptr HTBORDER = 18;

// Mouse-key flags carried in WParam of mouse messages.
constexpr intptr MK_LBUTTON = 0x0001;
constexpr intptr MK_RBUTTON = 0x0002;
constexpr intptr MK_SHIFT = 0x0004;
constexpr intptr MK_CONTROL = 0x0008;
constexpr intptr MK_MBUTTON = 0x0010;

// Dialog codes (WM_GETDLGCODE).
constexpr intptr DLGC_WANTARROWS = 0x0001;
constexpr intptr DLGC_WANTTAB = 0x0002;
constexpr intptr DLGC_WANTALLKEYS = 0x0004;
constexpr intptr DLGC_WANTCHARS = 0x0080;
