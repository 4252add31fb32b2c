// The computer's CD drive through the kernel's CD-ROM interface: table of contents, status and
// the drive's own audio play (no digital extraction).
#include "CdDrive.h"

#include <climits>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace mivo {
namespace {

unsigned FrameOf(const cdrom_msf0& msf)
{
    return (msf.minute * 60u + msf.second) * 75u + msf.frame;
}

void MsfOf(unsigned frame, unsigned char& m, unsigned char& s, unsigned char& f)
{
    m = (unsigned char)(frame / (75 * 60));
    s = (unsigned char)(frame / 75 % 60);
    f = (unsigned char)(frame % 75);
}

class LinuxCdDrive : public CdDrive {
public:
    explicit LinuxCdDrive(int fd) : fd_(fd) {}
    ~LinuxCdDrive() override { close(fd_); }

    bool MediaPresent() override { return ioctl(fd_, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_DISC_OK; }

    bool ReadToc(Toc& toc) override
    {
        cdrom_tochdr header = {};
        if (ioctl(fd_, CDROMREADTOCHDR, &header) != 0 || header.cdth_trk1 < header.cdth_trk0)
            return false;
        toc = Toc();
        for (int track = header.cdth_trk0; track <= header.cdth_trk1 + 1; ++track) {
            cdrom_tocentry entry = {};
            entry.cdte_track = (unsigned char)(track > header.cdth_trk1 ? CDROM_LEADOUT : track);
            entry.cdte_format = CDROM_MSF;
            if (ioctl(fd_, CDROMREADTOCENTRY, &entry) != 0)
                return false;
            unsigned frame = FrameOf(entry.cdte_addr.msf);
            if (track > header.cdth_trk1)
                toc.leadOut = frame;
            else
                toc.trackStarts.push_back(frame);
        }
        return !toc.trackStarts.empty();
    }

    Mode CurrentMode() override
    {
        int status = ioctl(fd_, CDROM_DRIVE_STATUS, CDSL_CURRENT);
        if (status == CDS_TRAY_OPEN)
            return Mode::Open;
        if (status != CDS_DISC_OK)
            return Mode::NotReady;
        cdrom_subchnl sub = {};
        sub.cdsc_format = CDROM_MSF;
        if (ioctl(fd_, CDROMSUBCHNL, &sub) != 0)
            return Mode::Stopped;
        if (sub.cdsc_audiostatus == CDROM_AUDIO_PLAY)
            return Mode::Playing;
        if (sub.cdsc_audiostatus == CDROM_AUDIO_PAUSED)
            return Mode::Paused;
        return Mode::Stopped;
    }

    bool Position(unsigned& frame) override
    {
        cdrom_subchnl sub = {};
        sub.cdsc_format = CDROM_MSF;
        if (ioctl(fd_, CDROMSUBCHNL, &sub) != 0)
            return false;
        frame = FrameOf(sub.cdsc_absaddr.msf);
        return true;
    }

    bool Play(unsigned from, unsigned to) override
    {
        cdrom_msf msf = {};
        MsfOf(from, msf.cdmsf_min0, msf.cdmsf_sec0, msf.cdmsf_frame0);
        MsfOf(to, msf.cdmsf_min1, msf.cdmsf_sec1, msf.cdmsf_frame1);
        return ioctl(fd_, CDROMPLAYMSF, &msf) == 0;
    }
    bool Pause() override { return ioctl(fd_, CDROMPAUSE) == 0; }
    bool Resume() override { return ioctl(fd_, CDROMRESUME) == 0; }
    bool Stop() override { return ioctl(fd_, CDROMSTOP) == 0; }
    // The drive has no separate seek for audio; the next play names its start.
    bool Seek(unsigned) override { return MediaPresent(); }
    bool SetDoor(bool open) override { return ioctl(fd_, open ? CDROMEJECT : CDROMCLOSETRAY, 0) == 0; }

private:
    int fd_;
};

}  // namespace

std::shared_ptr<CdDrive> OpenSystemCdDrive()
{
    for (const char* path : {"/dev/cdrom", "/dev/sr0"}) {
        int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (ioctl(fd, CDROM_GET_CAPABILITY, 0) >= 0)
            return std::make_shared<LinuxCdDrive>(fd);
        close(fd);
    }
    return nullptr;
}

}  // namespace mivo
