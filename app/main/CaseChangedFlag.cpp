#include "main/CaseChangedFlag.h"

CaseChangedFlag &CaseChangedFlag::operator=(bool changed)
{
    m_changed = changed;
    if (changed && m_refills == 0 && m_listener)
        m_listener();
    return *this;
}

CaseChangedFlag::Refill::Refill(CaseChangedFlag &flag) : m_flag(flag), m_was(flag.m_changed)
{
    ++m_flag.m_refills;
}

CaseChangedFlag::Refill::~Refill()
{
    --m_flag.m_refills;
    m_flag.m_changed = m_was;
}
