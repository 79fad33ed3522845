#pragma once

/// \file
/// The time slider of the player bar, CTqPlayerTimeSliderCtrl.

#include "CTqTimeSliderCtrl.h"
#include "../library/TqExport.h"

class CTqPlayerCtrl;

/// The time slider of a player bar: reports every drag to its player's
/// OnTimeStartTrack, OnTimeTracking and OnTimeEndTrack with the same position.
class TQ_API CTqPlayerTimeSliderCtrl : public CTqTimeSliderCtrl {
public:
    /// A slider reporting to owner, which is not owned; null reports nothing.
    explicit CTqPlayerTimeSliderCtrl(CTqPlayerCtrl* owner);
    /// A copy reports to the same player (a copied CTqPlayerCtrl points the
    /// sliders of its copy at itself).
    CTqPlayerTimeSliderCtrl(const CTqPlayerTimeSliderCtrl& other) = default;
    /// Copies the slider and the player it reports to.
    /// \return `*this`.
    CTqPlayerTimeSliderCtrl& operator=(const CTqPlayerTimeSliderCtrl& other) = default;
    /// Leaves the window alive.
    virtual ~CTqPlayerTimeSliderCtrl();

protected:
    /// Calls the player's OnTimeStartTrack().
    void OnStartTrack(double pos) override;
    /// Calls the player's OnTimeTracking().
    void OnTracking(double pos) override;
    /// Calls the player's OnTimeEndTrack().
    void OnEndTrack(double pos) override;

    /// The player reported to, or null. Not owned.
    CTqPlayerCtrl* m_pOwner;

private:
    // A copied player points its sliders at itself.
    friend class CTqPlayerCtrl;
};
