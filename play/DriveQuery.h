// The system's drive-type query, as a seam: the CD play mode looks for CD-ROM drives through it.
#pragma once

class DriveQuery {
public:
    virtual ~DriveQuery() = default;
    // True when the system reports the drive with this letter ('A' ... 'Z') as a CD-ROM drive.
    virtual bool IsCdRom(char letter) = 0;
};

// The query of this build: the system's on Windows, natively one that knows no drives.
DriveQuery& SystemDriveQuery();
