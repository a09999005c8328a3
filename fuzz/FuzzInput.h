#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Takes the fuzzer's bytes apart into small numbers and strings.
class FuzzInput final {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t Byte()
    {
        if (m_pos >= m_size)
            return 0;
        return m_data[m_pos++];
    }
    int Int(int lo, int hi) { return lo + static_cast<int>(Byte() % static_cast<unsigned>(hi - lo + 1)); }
    // Up to the next NUL byte, or the rest.
    std::string String()
    {
        std::string s;
        while (m_pos < m_size && m_data[m_pos] != 0)
            s.push_back(static_cast<char>(m_data[m_pos++]));
        if (m_pos < m_size)
            ++m_pos;
        return s;
    }
    std::string Rest()
    {
        std::string s(reinterpret_cast<const char *>(m_data) + m_pos, m_size - m_pos);
        m_pos = m_size;
        return s;
    }
    bool Empty() const { return m_pos >= m_size; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
