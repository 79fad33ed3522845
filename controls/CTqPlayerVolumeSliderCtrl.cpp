#include "controls/CTqPlayerVolumeSliderCtrl.h"

#include "controls/CTqPlayerCtrl.h"

CTqPlayerVolumeSliderCtrl::CTqPlayerVolumeSliderCtrl(CTqPlayerCtrl* owner) : m_pOwner(owner) {}

CTqPlayerVolumeSliderCtrl::~CTqPlayerVolumeSliderCtrl() = default;

void CTqPlayerVolumeSliderCtrl::OnStartTrack(double pos)
{
    if (m_pOwner)
        m_pOwner->OnVolumeStartTrack(pos);
}

void CTqPlayerVolumeSliderCtrl::OnTracking(double pos)
{
    if (m_pOwner)
        m_pOwner->OnVolumeTracking(pos);
}

void CTqPlayerVolumeSliderCtrl::OnEndTrack(double pos)
{
    if (m_pOwner)
        m_pOwner->OnVolumeEndTrack(pos);
}
