#include "lab/lab_history.h"

#include "lab/lab_figures.h"

const char* markName(unsigned mark) {
    switch (mark) {
    case kMarkFire:
        return "fire";
    case kMarkThrow:
        return "throw";
    case kMarkDrag:
        return "drag";
    case kMarkReset:
        return "reset";
    case kMarkBranch:
        return "branch";
    case kMarkEdit:
        return "edit";
    default:
        return "";
    }
}

LabHistory::LabHistory()
    : entries_(new StepFigures[kLabHistoryCapacity]),
      plotted_(new float[kPlottedFigures * kLabHistoryCapacity]()),
      speeds_(new float[static_cast<long>(kMaxBalls) * kLabHistoryCapacity]()) {}

void LabHistory::record(const Simulation& s, long step, int contacts, unsigned marks) {
    if (step < 0) return;
    if (first_ < 0 || step > last_ + 1 || step < first_ - 1 || (step == first_ - 1 && last_ - step >= kLabHistoryCapacity)) {
        // Not next to what is kept: the range starts again here.
        first_ = step;
        last_ = step;
    } else if (step == last_ + 1) {
        last_ = step;
        if (last_ - first_ >= kLabHistoryCapacity) first_ = last_ - kLabHistoryCapacity + 1;
    } else if (step == first_ - 1) {
        first_ = step;
    }
    StepFigures& f = entries_[step % kLabHistoryCapacity];
    const EnergyTotals totals = energyTotals(s);
    f.step = step;
    f.kinetic = static_cast<float>(totals.kinetic);
    f.potential = static_cast<float>(totals.potential);
    f.total = static_cast<float>(totals.total);
    f.contacts = contacts;
    f.marks = marks;
    const long slot = step % kLabHistoryCapacity;
    for (int k = 0; k < kMaxBalls; ++k) {
        const Vector3& p = s.ballPositions[k];
        f.alive[k] = s.ballAlive[k] != 0 ? 1 : 0;
        f.speed[k] = f.alive[k] != 0 ? static_cast<float>(s.ballVelocities[k].Length()) : 0.0f;
        f.position[k][0] = static_cast<float>(p.x);
        f.position[k][1] = static_cast<float>(p.y);
        f.position[k][2] = static_cast<float>(p.z);
        speeds_[k * kLabHistoryCapacity + slot] = f.alive[k] != 0 ? f.speed[k] : -1.0f;
    }
    plotted_[kPlotKinetic * kLabHistoryCapacity + slot] = f.kinetic;
    plotted_[kPlotPotential * kLabHistoryCapacity + slot] = f.potential;
    plotted_[kPlotTotal * kLabHistoryCapacity + slot] = f.total;
    plotted_[kPlotContacts * kLabHistoryCapacity + slot] = static_cast<float>(f.contacts);
}

const StepFigures* LabHistory::at(long step) const {
    if (first_ < 0 || step < first_ || step > last_) return nullptr;
    const StepFigures& f = entries_[step % kLabHistoryCapacity];
    return f.step == step ? &f : nullptr;
}

void LabHistory::forgetAfter(long step) {
    if (first_ < 0 || step >= last_) return;
    if (step < first_) {
        clear();
        return;
    }
    for (long n = step + 1; n <= last_; ++n) entries_[n % kLabHistoryCapacity].step = -1;
    last_ = step;
}

void LabHistory::clear() {
    for (int i = 0; i < kLabHistoryCapacity; ++i) entries_[i].step = -1;
    first_ = -1;
    last_ = -1;
}
