#include "mkcard/town_drive.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace korvex::mkcard {
namespace {

constexpr double kGravity = 9.81;
constexpr double kStepSeconds = 0.1;
constexpr double kPullAway = 1.8;       // m/s^2, the most the car speeds up by
constexpr double kBraking = 3.0;        // m/s^2, the most it slows down by
constexpr double kTurnSpeed = 20 / 3.6; // m/s through a junction
constexpr double kTurnRadius = 14;      // metres
constexpr double kStartCourse = 60;

struct Manoeuvre {
    enum Kind { kCruise, kTurn, kStop } kind;
    double value;       // kCruise: km/h; kTurn: degrees, clockwise positive; kStop: seconds stood
    double seconds = 0; // kCruise: how long
};

constexpr std::array kRoute = {
    Manoeuvre{Manoeuvre::kCruise, 45, 20}, Manoeuvre{Manoeuvre::kTurn, 90},
    Manoeuvre{Manoeuvre::kCruise, 55, 18}, Manoeuvre{Manoeuvre::kTurn, -90},
    Manoeuvre{Manoeuvre::kCruise, 60, 18}, Manoeuvre{Manoeuvre::kStop, 10},
    Manoeuvre{Manoeuvre::kCruise, 40, 16}, Manoeuvre{Manoeuvre::kTurn, -45},
    Manoeuvre{Manoeuvre::kCruise, 65, 30}, Manoeuvre{Manoeuvre::kTurn, 90},
    Manoeuvre{Manoeuvre::kCruise, 50, 20}, Manoeuvre{Manoeuvre::kStop, 14},
    Manoeuvre{Manoeuvre::kCruise, 35, 14}, Manoeuvre{Manoeuvre::kTurn, -90},
};

double Wave(double seconds, double period) {
    return std::sin(2 * std::numbers::pi * seconds / period);
}

} // namespace

TownDrive::TownDrive() {
    state_.course = kStartCourse;
    state_.x = 0.02;
    state_.y = -0.10;
    state_.z = 0.98;
}

void TownDrive::NextManoeuvre() {
    manoeuvre_ = (manoeuvre_ + 1) % kRoute.size();
    manoeuvre_seconds_ = 0;
    turned_ = 0;
    stopped_seconds_ = 0;
}

void TownDrive::Step(double dt, double& acceleration, double& turn_rate) {
    const Manoeuvre& now = kRoute[manoeuvre_];
    double target = 0;
    turn_rate = 0;
    switch (now.kind) {
    case Manoeuvre::kCruise:
        target = now.value / 3.6;
        // Town roads are never quite straight.
        turn_rate = 2.0 * Wave(manoeuvre_seconds_, 23);
        break;
    case Manoeuvre::kTurn:
        target = kTurnSpeed;
        if (speed_ <= kTurnSpeed * 1.05) {
            turn_rate = std::copysign(speed_ / kTurnRadius * 180 / std::numbers::pi, now.value);
        }
        break;
    case Manoeuvre::kStop:
        target = 0;
        break;
    }
    // Speed up or slow down towards the target, gently at the end as a driver does.
    acceleration = std::clamp(0.6 * (target - speed_), -kBraking, kPullAway);
    speed_ = std::max(0.0, speed_ + acceleration * dt);
    if (std::fabs(target - speed_) < 0.2) {
        speed_ = target;
    }
    bool done = false;
    if (now.kind == Manoeuvre::kTurn) {
        // The last step turns only what is left, so each turn ends on its exact angle.
        const double left = now.value - turned_;
        done = std::fabs(turn_rate * dt) >= std::fabs(left);
        turn_rate = done ? left / dt : turn_rate;
        turned_ += turn_rate * dt;
    }
    state_.course = std::fmod(state_.course + turn_rate * dt + 360, 360);
    MoveAlongCourse(state_.latitude, state_.longitude, speed_ * dt, state_.course);

    manoeuvre_seconds_ += dt;
    if (now.kind == Manoeuvre::kStop && speed_ == 0) {
        stopped_seconds_ += dt;
    }
    done = done || (now.kind == Manoeuvre::kCruise && manoeuvre_seconds_ >= now.seconds) ||
           (now.kind == Manoeuvre::kStop && stopped_seconds_ >= now.value);
    if (done) {
        NextManoeuvre();
    }
}

void TownDrive::Advance() {
    // The G-sensor reports the second's mean forces: lateral from the turn, longitudinal from
    // speeding up and braking, vertical from gravity and the road's bumps.
    constexpr int kSteps = static_cast<int>(1 / kStepSeconds + 0.5);
    double acceleration = 0;
    double lateral = 0;
    double turning = 0;
    for (int i = 0; i < kSteps; ++i) {
        double step_acceleration = 0;
        double step_turn_rate = 0;
        Step(kStepSeconds, step_acceleration, step_turn_rate);
        acceleration += step_acceleration / kSteps;
        turning += step_turn_rate / kSteps;
        lateral += speed_ * step_turn_rate * std::numbers::pi / 180 / kSteps;
    }
    ++second_;
    state_.speed_kmh = speed_ * 3.6;
    state_.turn_rate = turning;
    state_.x = 0.02 + lateral / kGravity;
    state_.y = -0.10 + acceleration / kGravity;
    state_.z = 0.98 + (speed_ > 0 ? 0.03 * Wave(second_, 3.7) : 0.0);
}

} // namespace korvex::mkcard
