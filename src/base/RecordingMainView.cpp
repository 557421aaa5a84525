#include "base/RecordingMainView.h"

RecordingMainView::ControlState RecordingMainView::control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? ControlState{} : it->second;
}
