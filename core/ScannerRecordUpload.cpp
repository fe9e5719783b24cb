#include "core/ScannerRecordUpload.h"

#include "channels/vnChannelList.h"
#include "channels/vnWords.h"
#include "core/ScannerRecordFolder.h"
#include "res/ResourceIds.h"

#include <algorithm>

ScannerRecordUpload::ScannerRecordUpload(const std::string& scanner, const vnChannelList& channels)
    : m_record(scanner), m_channels(channels)
{
    const std::string folder = ScannerRecordFolder::Get();
    if (!folder.empty()) {
        m_fileName = ScannerRecord::FileName(folder, scanner);
        ScannerRecord::ReadResult read = ScannerRecord::Read(m_fileName, scanner);
        m_record = std::move(read.record);
        m_readProblem = std::move(read.problem);
    }
    const std::vector<ChannelDifference> differences = FindDifferences(channels, m_record);
    m_changed = ChangedIndexes(differences);
    m_emptied = EmptiedIndexes(differences);
}

std::string ScannerRecordUpload::EmptiedText() const
{
    return ::EmptiedText(m_channels, m_emptied, m_record);
}

std::string ScannerRecordUpload::EmptiedQuestion() const
{
    return ::EmptiedQuestion(m_channels, m_emptied, m_record);
}

std::string ScannerRecordUpload::NothingChangedText() const
{
    if (m_record.GetLastUpload().empty())
        return vnWords::Say(IDS_NOTHING_TO_SEND);
    return vnWords::Say(IDS_NOTHING_CHANGED_SINCE,
                        {ScannerRecord::ShortTime(m_record.GetLastUpload()), m_record.GetScanner()});
}

void ScannerRecordUpload::MakeSending(bool lockOut, vnChannelList& sending, std::vector<std::int32_t>* indexes) const
{
    sending.RemoveAll();
    for (std::int32_t index = 0; index < m_channels.GetCount(); ++index) {
        vnChannel* channel = nullptr;
        sending.AddNew(&channel);
        *channel = *m_channels.GetAt(index);
    }
    if (indexes)
        *indexes = m_changed;
    if (!lockOut)
        return;
    const std::vector<vnChannel> locked = LockOutChannels(m_channels, m_emptied, m_record);
    for (std::size_t i = 0; i < m_emptied.size(); ++i) {
        *sending.GetAt(m_emptied[i]) = locked[i];
        if (indexes)
            indexes->push_back(m_emptied[i]);
    }
    if (indexes)
        std::sort(indexes->begin(), indexes->end());
}

std::string ScannerRecordUpload::Finish(const vnChannelList& sending, const std::vector<std::int32_t>* indexes,
                                        std::int32_t finished, const std::string& port,
                                        std::chrono::system_clock::time_point when, bool reached)
{
    m_meant.clear();
    const auto add = [&](std::int32_t index) {
        if (const vnChannel* channel = sending.GetAt(index); channel && channel->GetFrequency().GetMHz() != 0.0)
            m_meant.push_back(*channel);
    };
    if (indexes)
        std::for_each(indexes->begin(), indexes->end(), add);
    else
        for (std::int32_t index = 0; index < sending.GetCount(); ++index)
            add(index);

    if (!reached)
        return {};
    m_record.ApplyUpload(m_meant, finished, ScannerRecord::TimeText(when), port);
    if (m_fileName.empty())
        return vnWords::Say(IDS_NO_DATA_FOLDER);
    return m_record.Write(m_fileName);
}
