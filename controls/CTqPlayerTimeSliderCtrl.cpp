#include "controls/CTqPlayerTimeSliderCtrl.h"

#include "controls/CTqPlayerCtrl.h"

CTqPlayerTimeSliderCtrl::CTqPlayerTimeSliderCtrl(CTqPlayerCtrl* owner) : m_pOwner(owner) {}

CTqPlayerTimeSliderCtrl::~CTqPlayerTimeSliderCtrl() = default;

void CTqPlayerTimeSliderCtrl::OnStartTrack(double pos)
{
    if (m_pOwner)
        m_pOwner->OnTimeStartTrack(pos);
}

void CTqPlayerTimeSliderCtrl::OnTracking(double pos)
{
    if (m_pOwner)
        m_pOwner->OnTimeTracking(pos);
}

void CTqPlayerTimeSliderCtrl::OnEndTrack(double pos)
{
    if (m_pOwner)
        m_pOwner->OnTimeEndTrack(pos);
}
