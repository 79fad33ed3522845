#pragma once

#include "CTqTimeSliderCtrl.h"
#include "../library/TqExport.h"

class CTqPlayerCtrl;

// The time slider of a player bar: reports every drag to its player's
// OnTimeStartTrack, OnTimeTracking and OnTimeEndTrack with the same position.
class TQ_API CTqPlayerTimeSliderCtrl : public CTqTimeSliderCtrl {
public:
    // owner is not owned; null reports nothing.
    explicit CTqPlayerTimeSliderCtrl(CTqPlayerCtrl* owner);
    CTqPlayerTimeSliderCtrl(const CTqPlayerTimeSliderCtrl& other) = default;
    CTqPlayerTimeSliderCtrl& operator=(const CTqPlayerTimeSliderCtrl& other) = default;
    virtual ~CTqPlayerTimeSliderCtrl();

protected:
    void OnStartTrack(double pos) override;
    void OnTracking(double pos) override;
    void OnEndTrack(double pos) override;

    CTqPlayerCtrl* m_pOwner;

private:
    // A copied player points its sliders at itself.
    friend class CTqPlayerCtrl;
};
