// The sound recorder on the real wave-audio device (ALSA's null device on
// machines without a sound card, see null-sound.asoundrc): recordings saved
// as WAV files and read back by ffprobe, MCI errors forced for real.
//
// The platform's wave-audio driver has quirks that the tests step around:
// it is unloaded when its last device closes, even while a recording thread
// still runs, so one extra device stays open under an alias throughout;
// saving or closing right after stopping can corrupt its heap, so the tests
// let a stopped device settle first; 4 bits per sample and zero channels
// crash its recording thread, so those formats are never recorded; saving
// twice to one path deletes the file, so every save gets a fresh path.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "MediaTestSupport.h"
#include "MsgBoxCatcher.h"
#include "TestWindow.h"

namespace {

const DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
const DWORD kOpenNewRecording = MCI_OPEN_ELEMENT | MCI_OPEN_TYPE_ID | MCI_OPEN_TYPE;
const DWORD kRecordMs = 300;  // the null device records about ten times faster than real time
const DWORD kSettleMs = 500;
const char kMissingFolderPath[] = "C:\\no such folder\\tq.wav";

// Opens a new recording on the wave-audio device as the recorder does,
// optionally under an alias. Closed with the object.
class WaveDevice {
public:
    explicit WaveDevice(const char* alias = nullptr)
    {
        m_parms.lpstrDeviceType = reinterpret_cast<LPCSTR>(MCI_DEVTYPE_WAVEFORM_AUDIO);
        m_parms.lpstrElementName = "";
        m_parms.lpstrAlias = alias;
        m_error = mciSendCommandA(0, MCI_OPEN, kOpenNewRecording | (alias ? MCI_OPEN_ALIAS : 0),
                                  reinterpret_cast<DWORD_PTR>(&m_parms));
    }
    WaveDevice(const WaveDevice&) = delete;
    WaveDevice& operator=(const WaveDevice&) = delete;
    ~WaveDevice()
    {
        if (m_error == 0)
            mciSendCommandA(m_parms.wDeviceID, MCI_CLOSE, 0, 0);
    }
    MCIERROR Error() const { return m_error; }
    MCIERROR Record()
    {
        MCI_RECORD_PARMS record = {};
        return mciSendCommandA(m_parms.wDeviceID, MCI_RECORD, 0,
                               reinterpret_cast<DWORD_PTR>(&record));
    }
    MCIERROR Stop() { return mciSendCommandA(m_parms.wDeviceID, MCI_STOP, MCI_WAIT, 0); }
    MCIERROR SaveTo(const char* path)
    {
        MCI_SAVE_PARMSA save = {0, path};
        return mciSendCommandA(m_parms.wDeviceID, MCI_SAVE, MCI_SAVE_FILE | MCI_WAIT,
                               reinterpret_cast<DWORD_PTR>(&save));
    }

private:
    MCI_OPEN_PARMSA m_parms = {};
    MCIERROR m_error;
};

std::string MciErrorText(MCIERROR error)
{
    char text[256] = {};
    mciGetErrorStringA(error, text, sizeof text);
    return text;
}

// Records a moment of sound, stops and lets the device settle.
void RecordAMoment(CTqSoundRecorder& recorder)
{
    EXPECT_EQ(recorder.StartRec(), 1);
    Sleep(kRecordMs);
    EXPECT_EQ(recorder.StopRec(), 1);
    Sleep(kSettleMs);
}

struct WaveFormat {
    WORD channels = 0;
    DWORD samplesPerSec = 0;
    DWORD avgBytesPerSec = 0;
    WORD blockAlign = 0;
    WORD bitsPerSample = 0;
};

// The "fmt " chunk of a RIFF WAVE file, as written.
WaveFormat FormatChunk(const std::string& file)
{
    WaveFormat format;
    const size_t chunk = file.find("fmt ", 12);
    if (chunk == std::string::npos || chunk + 24 > file.size())
        return format;
    const char* fmt = file.data() + chunk + 8;
    std::memcpy(&format.channels, fmt + 2, 2);
    std::memcpy(&format.samplesPerSec, fmt + 4, 4);
    std::memcpy(&format.avgBytesPerSec, fmt + 8, 4);
    std::memcpy(&format.blockAlign, fmt + 12, 2);
    std::memcpy(&format.bitsPerSample, fmt + 14, 2);
    return format;
}

}  // namespace

class SoundRecorder : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_keeper = new WaveDevice("tq keeper"); }
    static void TearDownTestSuite()
    {
        delete s_keeper;
        s_keeper = nullptr;
    }
    void SetUp() override { ASSERT_EQ(s_keeper->Error(), 0u) << MciErrorText(s_keeper->Error()); }

    static WaveDevice* s_keeper;
};

WaveDevice* SoundRecorder::s_keeper = nullptr;

TEST_F(SoundRecorder, RecordingsAreSavedInTheFormatAskedFor)
{
    const struct {
        unsigned int channels, bits, rate;
        const char* codec;
        WORD blockAlign;
        DWORD avgBytesPerSec;
    } cases[] = {
        {2, 16, 44100, "pcm_s16le", 4, 176400},
        {1, 8, 11025, "pcm_u8", 1, 11025},
        {1, 16, 22050, "pcm_s16le", 2, 44100},
        {2, 8, 8000, "pcm_u8", 2, 16000},
    };
    TestWindow owner(kFrame);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, " + std::to_string(c.bits) +
                     " bits, " + std::to_string(c.rate) + " Hz");
        const std::string path = FreshTempPath("tq sound.wav");
        MsgBoxCatcher catcher;
        CTqSoundRecorder recorder;
        ASSERT_EQ(recorder.Create(c.channels, c.bits, c.rate, owner), 1);
        RecordAMoment(recorder);  // starts with no message: the record block is not null
        EXPECT_EQ(recorder.Save(path.c_str()), 1);
        recorder.Clear();
        EXPECT_EQ(catcher.Count(), 0u);

        auto stream = ProbeStream(path, "a",
                                  "codec_name,channels,sample_rate,bits_per_sample,duration_ts");
        EXPECT_EQ(stream["codec_name"], c.codec);
        EXPECT_EQ(stream["channels"], std::to_string(c.channels));
        EXPECT_EQ(stream["sample_rate"], std::to_string(c.rate));
        EXPECT_EQ(stream["bits_per_sample"], std::to_string(c.bits));
        EXPECT_GT(std::atol(stream["duration_ts"].c_str()), 0)
            << "no samples recorded: is ALSA_CONFIG_PATH set as in tests/CMakeLists.txt?";

        const WaveFormat format = FormatChunk(ReadWholeFile(path));
        EXPECT_EQ(format.blockAlign, c.blockAlign);
        EXPECT_EQ(format.avgBytesPerSec, c.avgBytesPerSec);
        DeleteFileA(path.c_str());
    }
}

TEST_F(SoundRecorder, FourBitsPerSampleIsTheDevicesToAcceptOrRefuse)
{
    // 4 bits in one channel make no whole byte: block alignment 0.
    TestWindow owner(kFrame);
    MsgBoxCatcher catcher;
    CTqSoundRecorder recorder;
    if (recorder.Create(1, 4, 8000, owner) == 1) {
        EXPECT_EQ(catcher.Count(), 0u);
    } else {
        ASSERT_EQ(catcher.Count(), 1u);
        EXPECT_EQ(catcher.Last().caption, Cp932(u8"サウンドレコーダーの作成"));
        EXPECT_EQ(recorder.StartRec(), 0);  // the refused device was closed again
        EXPECT_EQ(catcher.Count(), 1u);
    }
}

TEST_F(SoundRecorder, WithoutADeviceNothingHappensAndNothingIsShown)
{
    const std::string path = FreshTempPath("tq nothing.wav");
    MsgBoxCatcher catcher;
    CTqSoundRecorder recorder;
    EXPECT_EQ(recorder.StartRec(), 0);
    EXPECT_EQ(recorder.StopRec(), 0);
    EXPECT_EQ(recorder.Save(path.c_str()), 0);
    recorder.Clear();
    EXPECT_EQ(catcher.Count(), 0u);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SoundRecorder, MciErrorsAreShownWithTheSystemsTextAndTheOperationsCaption)
{
    TestWindow owner(kFrame);
    MsgBoxCatcher catcher;
    CTqSoundRecorder recorder;
    {
        // This driver holds one unaliased recording at a time: a second open
        // fails, as the recorder's will.
        WaveDevice busy;
        ASSERT_EQ(busy.Error(), 0u);
        const MCIERROR openError = WaveDevice().Error();
        ASSERT_NE(openError, 0u);

        EXPECT_EQ(recorder.Create(2, 16, 44100, owner), 0);
        ASSERT_EQ(catcher.Count(), 1u);
        EXPECT_EQ(catcher.Last().text, MciErrorText(openError));
        EXPECT_EQ(catcher.Last().caption, Cp932(u8"サウンドレコーダーの作成"));
        EXPECT_EQ(catcher.Last().owner, owner.Handle());
        EXPECT_EQ(catcher.Last().buttons, std::vector<int>{IDOK});
        EXPECT_EQ(catcher.Last().icon, MsgBoxCatcher::Icon::None);
        EXPECT_EQ(recorder.StartRec(), 0);  // no device is left open
        EXPECT_EQ(catcher.Count(), 1u);
    }

    // Saving into a missing folder fails; what the system says to that is
    // learnt from a recording of our own first. After a failed save this
    // driver has lost the recording, so nothing is saved afterwards.
    MCIERROR saveError = 0;
    {
        WaveDevice probe("tq probe");
        ASSERT_EQ(probe.Error(), 0u);
        ASSERT_EQ(probe.Record(), 0u);
        Sleep(kRecordMs);
        ASSERT_EQ(probe.Stop(), 0u);
        Sleep(kSettleMs);
        saveError = probe.SaveTo(kMissingFolderPath);
        ASSERT_NE(saveError, 0u);
    }
    ASSERT_EQ(recorder.Create(2, 16, 44100, owner), 1);
    RecordAMoment(recorder);
    EXPECT_EQ(recorder.Save(kMissingFolderPath), 0);
    ASSERT_EQ(catcher.Count(), 2u);
    EXPECT_EQ(catcher.Last().text, MciErrorText(saveError));
    EXPECT_EQ(catcher.Last().caption, Cp932(u8"ファイル保存"));
    EXPECT_EQ(catcher.Last().owner, owner.Handle());
    recorder.Clear();
    EXPECT_EQ(catcher.Count(), 2u);
}

TEST_F(SoundRecorder, ASecondCreateClosesTheFirstDeviceAndCopiesHoldNone)
{
    // Here a second unaliased recording cannot be open beside the first: each
    // Create below succeeds only when the device before it was closed.
    TestWindow owner(kFrame);
    MsgBoxCatcher catcher;
    CTqSoundRecorder recorder;
    ASSERT_EQ(recorder.Create(1, 8, 11025, owner), 1);
    ASSERT_EQ(recorder.Create(2, 16, 22050, owner), 1);

    CTqSoundRecorder copy(recorder);
    EXPECT_EQ(copy.StartRec(), 0);
    EXPECT_EQ(copy.Save("C:\\tq never.wav"), 0);

    RecordAMoment(recorder);
    const std::string path = FreshTempPath("tq second.wav");
    EXPECT_EQ(recorder.Save(path.c_str()), 1);
    auto stream = ProbeStream(path, "a", "channels,sample_rate");
    EXPECT_EQ(stream["channels"], "2");
    EXPECT_EQ(stream["sample_rate"], "22050");

    recorder = copy;  // closes the device
    EXPECT_EQ(recorder.StartRec(), 0);
    CTqSoundRecorder another;
    EXPECT_EQ(another.Create(1, 16, 8000, owner), 1);
    another.Clear();
    EXPECT_EQ(catcher.Count(), 0u);
    DeleteFileA(path.c_str());
}
