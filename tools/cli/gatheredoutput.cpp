#include "gatheredoutput.h"

namespace vorelind {

GatheredOutput::GatheredOutput(ListingSink& out)
    : m_out(out)
    , m_bytes(new char[kSize])
{
}

void GatheredOutput::write(std::string_view bytes)
{
    flush();
    m_out.write(bytes);
}

void GatheredOutput::flush()
{
    if (m_used > 0)
        m_out.write(std::string_view(m_bytes.get(), m_used));
    m_used = 0;
}

} // namespace vorelind
