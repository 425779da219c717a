-- placeholder until the table definitions land
create table 日志 (日期 TEXT, 时间 TEXT, 操作电脑名 TEXT, 操作员 TEXT, 操作内容 TEXT, 性质 TEXT, 工号 TEXT);
