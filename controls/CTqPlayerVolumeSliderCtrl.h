#pragma once

/// \file
/// The volume slider of the player bar, CTqPlayerVolumeSliderCtrl.

#include "CTqTimeSliderCtrl.h"
#include "../library/TqExport.h"

class CTqPlayerCtrl;

/// The volume slider of a player bar (a time slider with the wedge track):
/// reports every drag to its player's OnVolumeStartTrack, OnVolumeTracking and
/// OnVolumeEndTrack with the same position.
class TQ_API CTqPlayerVolumeSliderCtrl : public CTqTimeSliderCtrl {
public:
    /// A slider reporting to owner, which is not owned; null reports nothing.
    explicit CTqPlayerVolumeSliderCtrl(CTqPlayerCtrl* owner);
    /// A copy reports to the same player (a copied CTqPlayerCtrl points the
    /// sliders of its copy at itself).
    CTqPlayerVolumeSliderCtrl(const CTqPlayerVolumeSliderCtrl& other) = default;
    /// Copies the slider and the player it reports to.
    /// \return `*this`.
    CTqPlayerVolumeSliderCtrl& operator=(const CTqPlayerVolumeSliderCtrl& other) = default;
    /// Leaves the window alive.
    virtual ~CTqPlayerVolumeSliderCtrl();

protected:
    /// Calls the player's OnVolumeStartTrack().
    void OnStartTrack(double pos) override;
    /// Calls the player's OnVolumeTracking().
    void OnTracking(double pos) override;
    /// Calls the player's OnVolumeEndTrack().
    void OnEndTrack(double pos) override;

    /// The player reported to, or null. Not owned.
    CTqPlayerCtrl* m_pOwner;

private:
    // A copied player points its sliders at itself.
    friend class CTqPlayerCtrl;
};
