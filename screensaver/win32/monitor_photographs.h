#pragma once

// The photographs of the monitors after the primary, for a run with a scene
// on every monitor: each monitor's own desktop becomes its floor.

#include <string>
#include <vector>

#include "renderer_command_line.h"

// Photographs every monitor after the primary into its own hand-off picture
// in folder, numbered in the order of monitor_pictures.h, each at its own
// size in pixels, and removes the pictures of positions that no monitor has
// now. A monitor that cannot be photographed or written gets no picture
// (the renderer draws it over the grey floor of a missing one). The
// pictures written, with their monitors' names, for the renderer.
std::vector<MonitorPhotograph> PhotographOtherMonitors(const std::wstring& folder);

// Removes the photographs of the monitors after the primary from folder.
void RemoveOtherMonitorPhotographs(const std::wstring& folder);
