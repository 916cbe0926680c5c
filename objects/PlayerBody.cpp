#include "objects/PlayerBody.h"

#include "core/SaturatingMath.h"
#include "objects/MotionTuning.h"

void PlayerBody::walk(bool right) {
    setFacing(right);
    walkAcceleration = right ? tuning::kWalkAcceleration : -tuning::kWalkAcceleration;
}

void PlayerBody::applyFriction() {
    if (velocityX > 0) {
        velocityX = saturateToInt32(static_cast<int64_t>(velocityX) - friction);
        if (velocityX < 0) {
            velocityX = 0;
        }
    } else if (velocityX < 0) {
        velocityX = saturateToInt32(static_cast<int64_t>(velocityX) + friction);
        if (velocityX > 0) {
            velocityX = 0;
        }
    }
}

void PlayerBody::applyWalk() {
    velocityX = saturateToInt32(static_cast<int64_t>(velocityX) + walkAcceleration);
    if (walkAcceleration == 0) {
        applyFriction();
    }
}

void PlayerBody::jump() {
    velocityY = saturateToInt32(static_cast<int64_t>(velocityY) + tuning::kJumpImpulse);
}

bool PlayerBody::touchGround(bool onGround) {
    if (!onGround) {
        grounded = false;
        showAirbornePose();
        return false;
    }
    const bool touchdown = !grounded;
    grounded = true;
    showGroundPose();
    return touchdown;
}

void PlayerBody::advancePose() {
    if (!showingAirborneRow()) {
        pose.nextFrame();
    }
}

bool PlayerBody::showingAirborneRow() const {
    return pose.shownRow() == tuning::kAirborneRow;
}

void PlayerBody::showGroundPose() {
    if (walkAcceleration != 0) {
        pose.setTicksPerFrame(tuning::kWalkTicksPerFrame);
        pose.setRow(tuning::kWalkingRow);
    } else {
        pose.setTicksPerFrame(tuning::kPoseTicksPerFrame);
        pose.setRow(tuning::kStandingRow);
    }
}

void PlayerBody::showAirbornePose() {
    pose.setTicksPerFrame(tuning::kPoseTicksPerFrame);
    pose.setRow(tuning::kAirborneRow);
    pose.setFrame(velocityY < 0 ? tuning::kRisingColumn : tuning::kFallingColumn);
    friction = 0;
}
