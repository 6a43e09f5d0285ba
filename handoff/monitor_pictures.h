#pragma once

// With a scene on every monitor, each monitor's own desktop is its floor: the
// screensaver program photographs every monitor, in one order of the
// monitors (which gives each its picture number), and tells the renderer
// which picture shows which monitor by the monitor's name.

#include <string>
#include <vector>

// One monitor as the system reports it, in virtual-screen pixels (left and
// top inside, right and bottom outside).
struct MonitorPlace {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool primary = false;
    std::string device; // the system's name of the monitor (\\.\DISPLAY1)
    bool operator==(const MonitorPlace&) const = default;
};

// The most monitors that get a scene; the rest are covered in black.
inline constexpr int kMostSceneMonitors = 16;

// The monitors that get a scene, in the order of their pictures: the
// primary first (when none is marked, the one that holds the point (0, 0),
// else the first given), then the others from left to right and, where two
// start at the same left edge, from top to bottom; at most
// kMostSceneMonitors. Empty monitors are left out.
std::vector<MonitorPlace> SceneMonitors(std::vector<MonitorPlace> monitors);

// The hand-off picture of the monitor at position of that order: 0 (the
// photograph of the primary) for the first, 2 + position after it (3, 4, ...;
// 1 and 2 are the bolt pictures).
int MonitorPictureIndex(int position);

// The last hand-off picture a monitor can have.
inline constexpr int kLastMonitorPicture = 2 + kMostSceneMonitors - 1;

// Whether hand-off picture index is a photograph of a monitor (0, or 3 and
// after) rather than a bolt picture.
bool IsMonitorPhotograph(int index);
