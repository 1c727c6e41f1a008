Select 1 From 票据开票数据 inner join setupsfxm on 收费项目代号=dh Inner Join t ON setupsfxm.dh = t.a left join u x on d = b -- note 'x'
/* it's */ Where a = N'it''s'