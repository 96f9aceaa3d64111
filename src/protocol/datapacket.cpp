#include "datapacket.h"

#include "dataset.h"
#include "wiretable.h"

void DataPacket::AssignTo(Dataset &target) const
{
    if (!m_table) {
        target.Close();
        return;
    }
    m_table->loadInto(target);
}
