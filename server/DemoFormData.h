#pragma once

namespace zeb {

class Engine;
struct DemoOrganisation;

// What the demo's staff schedule form prints besides the lines: a salary scale from 01.01.2024 and a tenth
// higher one from 01.10.2025, the requisites and the own codes of a few units. Pay grade 3 is left without a
// salary, so that the form counts its lines as lacking one.
void insertDemoFormData(Engine& engine, const DemoOrganisation& organisation);

} // namespace zeb
