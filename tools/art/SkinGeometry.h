// Where everything sits in Tavlo's window: one table that both the pictures
// and the skin's element strings are made from, so they cannot disagree.
#pragma once

#include <string>

#include "ArtShapes.h"
#include "SkinPaint.h"

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 560;

// The parts of the window that are no control.
constexpr Box kBody = {0, 8, kWindowWidth, 530};
constexpr int kBodyCorner = 26;
constexpr Box kLug = {616, 0, 668, 20};  // a strap lug on the top edge, with its slot
constexpr int kLugCorner = 8;
constexpr Box kLugSlot = {628, 3, 656, 10};
constexpr Box kWheel = {348, 452, 452, 556};  // the control wheel below the body
constexpr Box kPcWell = {14, 60, 438, 444};
constexpr Box kPlayerWell = {498, 60, 786, 444};
constexpr Box kCapacityPanel = {504, 366, 780, 438};
constexpr int kTopBarBottom = 54;
constexpr int kDeckTop = 450;

// The window's outline: the body, the lug and the wheel, less the lug's slot.
Shape WindowOutline();

// The place of the element whose string has `stringId` as its lower id;
// false for an element the skin hides.
bool ElementPlace(unsigned stringId, Box& place);

// The resource script of the element strings and the window's size.
std::string LayoutScript();
