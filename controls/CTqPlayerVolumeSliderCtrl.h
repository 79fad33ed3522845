#pragma once

#include "CTqTimeSliderCtrl.h"
#include "../library/TqExport.h"

class CTqPlayerCtrl;

// The volume slider of a player bar (a time slider with the wedge track):
// reports every drag to its player's OnVolumeStartTrack, OnVolumeTracking and
// OnVolumeEndTrack with the same position.
class TQ_API CTqPlayerVolumeSliderCtrl : public CTqTimeSliderCtrl {
public:
    // owner is not owned; null reports nothing.
    explicit CTqPlayerVolumeSliderCtrl(CTqPlayerCtrl* owner);
    CTqPlayerVolumeSliderCtrl(const CTqPlayerVolumeSliderCtrl& other) = default;
    CTqPlayerVolumeSliderCtrl& operator=(const CTqPlayerVolumeSliderCtrl& other) = default;
    virtual ~CTqPlayerVolumeSliderCtrl();

protected:
    void OnStartTrack(double pos) override;
    void OnTracking(double pos) override;
    void OnEndTrack(double pos) override;

    CTqPlayerCtrl* m_pOwner;

private:
    // A copied player points its sliders at itself.
    friend class CTqPlayerCtrl;
};
