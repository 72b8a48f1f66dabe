#pragma once

#include "data/dataset/Dataset.h"

namespace zeb {

// Keeps the controls bound to `dataset` from following its moves for a scope, however the scope ends; they
// catch up once at its end.
class ControlsDisabled
{
public:
    explicit ControlsDisabled(Dataset& dataset) : m_dataset(dataset) { m_dataset.disableControls(); }
    ~ControlsDisabled() { m_dataset.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Dataset& m_dataset;
};

} // namespace zeb
